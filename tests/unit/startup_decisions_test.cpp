#include "window/browser_window.h"

#include <new>
#include <typeinfo>

#include <gtest/gtest.h>

#include "services/error_report.h"

namespace velvane {
namespace {

TEST(LanguageChoice, GermanOnlyForTheFiveGermanSpeakingRegions) {
    for (std::uint16_t id : {1031, 2055, 3079, 4103, 5127})
        EXPECT_EQ(LanguageForLangId(id), "ger") << id;
    // English (US), German without a sub-language, French (Switzerland), Romansh, none, Greek,
    // and the next German sub-language after the five.
    for (std::uint16_t id : {1033, 7, 4108, 1047, 0, 1032, 0x1807}) {
        EXPECT_EQ(LanguageForLangId(id), "int") << id;
    }
}

struct VersionCase {
    const char* version;
    bool external;
};

TEST(BrowserVersionGate, AcceptsFrom472AndFromFiveOn) {
    const VersionCase cases[] = {
        {"6.00.2900.2180", false},
        {"5.50.4134.0100", false},
        {"4.72.3110.8", false},
        {"4.71.1712.6", true},
        {"4.70.1300", true},
        {"11.00.9600.16428", false},
        {"", true},
        {"4.80.1", true},
        {"5.01", false},
        {"3.02", true},
        {"6", true},
        {".6", true},
        {"x.00", true},
        {"4.7x", true},
        {"4.72", false},
        {"4.", true},
        {"10.0", false},
        {"6.0.2900.2180", false},
        {" 6.0", true},
        {"-6.0", true},
        {"4.072", true},
    };
    for (const VersionCase& c : cases) {
        EXPECT_EQ(UseExternalBrowserFor(c.version), c.external) << "\"" << c.version << "\"";
    }
}

TEST(UnexpectedErrorReport, FramesTheMessageInEnglish) {
    EXPECT_EQ(UnexpectedErrorReportText("Die aktuelle Seite kann nicht gedruckt werden."),
              "An unexpected error occured!\rDebug information: \"Die aktuelle Seite kann nicht "
              "gedruckt werden.\"");
    EXPECT_EQ(UnexpectedErrorReportText(""),
              "An unexpected error occured!\rDebug information: \"\"");
}

TEST(UnexpectedErrorReport, NamesKindAndMessage) {
    auto error = std::make_exception_ptr(ApplicationError("broken"));
    EXPECT_EQ(ErrorMessageOf(error), "broken");
    EXPECT_EQ(ErrorKindAndMessageOf(error), "velvane::ApplicationError: broken");
    auto foreign = std::make_exception_ptr(42);
    EXPECT_EQ(ErrorMessageOf(foreign), "Unknown error");
    EXPECT_EQ(ErrorKindAndMessageOf(foreign), "Unknown error");
}

// The kind is read from the mangled class name by the program's own small reader: the forms it
// knows come out readable, any other comes out as mangled rather than cut or garbled.
struct LocalError : std::exception {
    const char* what() const noexcept override { return "local"; }
};
template <int>
struct TemplateError : std::exception {
    const char* what() const noexcept override { return "template"; }
};

TEST(UnexpectedErrorReport, NamesTheKindOfLibraryAndUnusualErrors) {
    EXPECT_EQ(ErrorKindAndMessageOf(std::make_exception_ptr(std::bad_alloc())),
              std::string("std::bad_alloc: ") + std::bad_alloc().what());
    EXPECT_EQ(ErrorKindAndMessageOf(std::make_exception_ptr(LocalError())),
              "velvane::_GLOBAL__N_1::LocalError: local");
    // Cut or malformed names give nothing rather than a partial or overlong read.
    for (const char* broken : {"", "St", "N7velvane5ErrorX", "N7velvane5Error",
                               "7velvane5Error", "99999999999999999999999x", "3ab", "0"}) {
        EXPECT_EQ(ReadableClassName(broken), std::nullopt) << broken;
    }
    const std::string templated = ErrorKindAndMessageOf(std::make_exception_ptr(TemplateError<3>()));
    EXPECT_EQ(templated, std::string(typeid(TemplateError<3>).name()) + ": template");
}

}  // namespace
}  // namespace velvane
