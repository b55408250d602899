// The DLL's side: its exports (a class object for CLSID_WebBrowser), and the sound watch, which
// logs the program's PlaySoundA calls so that a test sees whether the music was stopped.

#include <string>

#include "standin/standin.h"

namespace velvane::standin {
namespace {

HINSTANCE instance = nullptr;
LONG locks = 0;

using PlaySoundFunction = BOOL(WINAPI*)(LPCSTR, HMODULE, DWORD);
PlaySoundFunction realPlaySound = nullptr;

BOOL WINAPI WatchedPlaySound(LPCSTR sound, HMODULE module, DWORD flags) {
    Log(std::string("sys> PlaySoundA(") + (sound ? sound : "NULL") + ", flags " + std::to_string(flags) + ")" +
        (sound ? "" : " MUSIC-STOPPED"));
    return realPlaySound ? realPlaySound(sound, module, flags) : FALSE;
}

// The program loads the sound library when it first plays and looks PlaySoundA up by name: the
// watch answers that look-up with itself.
FARPROC WINAPI WatchedGetProcAddress(HMODULE module, LPCSTR name) {
    FARPROC found = GetProcAddress(module, name);
    const bool byName = reinterpret_cast<ULONG_PTR>(name) > 0xFFFF;
    if (!found || !byName || std::string(name) != "PlaySoundA") return found;
    realPlaySound = reinterpret_cast<PlaySoundFunction>(reinterpret_cast<void*>(found));
    return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&WatchedPlaySound));
}

// Points the program's import of GetProcAddress at the watch's, so that the watch sees every
// later PlaySoundA call. The imports are matched by name, whichever library the loader bound
// them to.
void WatchSound() {
    static bool done = false;
    if (done) return;
    done = true;
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!imports.VirtualAddress) return;
    for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); entry->Name;
         ++entry) {
        if (!entry->OriginalFirstThunk) continue;
        auto* name = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
        auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
        for (; name->u1.AddressOfData; ++name, ++slot) {
            if (IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal)) continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + name->u1.AddressOfData);
            if (std::string(reinterpret_cast<const char*>(byName->Name)) != "GetProcAddress") continue;
            DWORD old = 0;
            VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, PAGE_READWRITE, &old);
            slot->u1.Function = reinterpret_cast<ULONG_PTR>(&WatchedGetProcAddress);
            VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, old, &old);
            Log("watching the program's PlaySoundA");
        }
    }
}

class ClassFactory final : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (iid != IID_IUnknown && iid != IID_IClassFactory) return E_NOINTERFACE;
        *object = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }  // static object
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        WatchSound();
        ComPtr<Browser> browser = Browser::Create(nullptr);
        return browser->QueryInterface(iid, object);
    }
    STDMETHODIMP LockServer(BOOL lock) override {
        if (lock) InterlockedIncrement(&locks);
        else InterlockedDecrement(&locks);
        return S_OK;
    }
};

ClassFactory factory;

}  // namespace

HINSTANCE ModuleInstance() {
    return instance;
}

}  // namespace velvane::standin

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        velvane::standin::instance = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID id, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (id != CLSID_WebBrowser) return CLASS_E_CLASSNOTAVAILABLE;
    return velvane::standin::factory.QueryInterface(iid, object);
}

// The control's windows and classes belong to this module: it stays loaded for the process.
extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return S_FALSE;
}
