#include "services/message_catalogue.h"

#include <gtest/gtest.h>

#include "case_name.h"

namespace velvane {
namespace {

struct CatalogueCase {
    const char* name;
    const char* language;
    int id;
    const char* argument;
    const char* expected;
};

const CatalogueCase kCases[] = {
    {"PathInEnglish", "int", 4, "D:\\autorun.inf",
     "Cannot find configuration file \"D:\\autorun.inf\"."},
    {"PathInGerman", "ger", 4, "D:\\autorun.inf",
     "Die Konfigurations-Datei \"D:\\autorun.inf\" kann nicht gefunden werden."},
    {"EmptyArgumentRemovesPlaceholder", "int", 4, "", "Cannot find configuration file \"\"."},
    {"NoPlaceholderIgnoresArgument", "int", 8, "ignored", "Window position is invalid."},
    {"TildeInArgumentNotExpandedAgain", "int", 12, "a~b~",
     "The executable file \"a~b~\" cannot be found."},
    {"GermanOnlyWhenExactlyGer", "Ger", 8, "", "Window position is invalid."},
    {"GermanOnlyWhenExactlyGerUpper", "GER", 8, "", "Window position is invalid."},
    {"EmptyLanguageIsEnglish", "", 5, "", "About Velvane..."},
    {"AboutItemGermanUmlautIsOneByte", "ger", 5, "",
     "\xDC"
     "ber Velvane..."},
    {"LineBreakIsCarriageReturn", "int", 6, "",
     "Internet-Explorer (version 4.0 or higher) is not installed correctly.\r"
     "The default browser is used for displaying the contents."},
    {"RequirementsHaveNoPlaceholder", "int", 7, "a.dll,b.dll",
     "For displaying the contents certain requirements have to be fulfilled.\r"
     "These requirements are not fulfilled. Therefore contents cannot be displayed."},
    {"GermanSharpS", "ger", 17, "",
     "Die Button-Bitmaps f\xFCr die Toolbar haben nicht alle die gleiche Gr\xF6\xDF"
     "e!"},
    {"StartPageInGerman", "ger", 15, "D:\\index.html",
     "Es ist keine Startseite (Attribut \"startpage\" in der \"autorun.inf\") angegeben oder "
     "die Startseite \"D:\\index.html\" kann nicht gefunden werden."},
};

class MessageCatalogue : public testing::TestWithParam<CatalogueCase> {};

TEST_P(MessageCatalogue, GivesTheTextWithItsArgument) {
    const CatalogueCase& c = GetParam();
    EXPECT_EQ(GetMessageText(c.language, c.id, c.argument), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, MessageCatalogue, testing::ValuesIn(kCases), CaseName());

TEST(MessageCatalogueIds, UnknownIdsGiveEmptyTextInBothLanguages) {
    for (const char* language : {"int", "ger"}) {
        for (int id : {0, 1, 3, 10, 13, 14, 16, 18, 19, -1, 1 << 30}) {
            EXPECT_EQ(GetMessageText(language, id, "x"), "") << language << " " << id;
        }
    }
}

TEST(MessageCatalogueIds, EveryUsedIdHasBothTexts) {
    for (int id : {2, 4, 5, 6, 7, 8, 9, 11, 12, 15, 17}) {
        std::string german = GetMessageText("ger", id, "");
        std::string english = GetMessageText("int", id, "");
        EXPECT_FALSE(german.empty()) << id;
        EXPECT_FALSE(english.empty()) << id;
        EXPECT_NE(german, english) << id;
    }
}

}  // namespace
}  // namespace velvane
