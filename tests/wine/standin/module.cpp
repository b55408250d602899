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

// Points the program's import of winmm's PlaySoundA at the watch. The program calls through its
// import table on every call, so the watch sees every later one.
void WatchSound() {
    static bool done = false;
    if (done) return;
    done = true;
    HMODULE winmm = GetModuleHandleA("winmm.dll");
    if (!winmm) return;
    realPlaySound = reinterpret_cast<PlaySoundFunction>(reinterpret_cast<void*>(GetProcAddress(winmm, "PlaySoundA")));
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!imports.VirtualAddress || !realPlaySound) return;
    for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); entry->Name;
         ++entry) {
        if (_stricmp(reinterpret_cast<const char*>(base + entry->Name), "winmm.dll") != 0) continue;
        for (auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk); slot->u1.Function; ++slot) {
            if (slot->u1.Function != reinterpret_cast<ULONG_PTR>(realPlaySound)) continue;
            DWORD old = 0;
            VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, PAGE_READWRITE, &old);
            slot->u1.Function = reinterpret_cast<ULONG_PTR>(&WatchedPlaySound);
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
