#include "web/BrowserEventSink.h"

#include <exdisp.h>

CEventSink* CEventSink::create(std::function<void()> onQuit) { return new CEventSink(std::move(onQuit)); }

void CEventSink::detach() { onQuit = nullptr; }

HRESULT CEventSink::QueryInterface(REFIID iid, void** object) {
    if (!object)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, DIID_DWebBrowserEvents2)) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG CEventSink::AddRef() { return ULONG(InterlockedIncrement(&references)); }

ULONG CEventSink::Release() {
    LONG left = InterlockedDecrement(&references);
    if (left == 0)
        delete this;
    return ULONG(left);
}

HRESULT CEventSink::GetTypeInfoCount(UINT* count) {
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT CEventSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info)
        *info = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT CEventSink::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!names || !ids)
        return E_POINTER;
    // One member without parameters: only a lone name can be known; names are not case-sensitive.
    HRESULT result = S_OK;
    for (UINT i = 0; i < count; ++i) {
        bool known = i == 0 && names[i] && CompareStringOrdinal(names[i], -1, L"OnQuit", -1, TRUE) == CSTR_EQUAL;
        ids[i] = known ? OnQuitId : DISPID_UNKNOWN;
        if (!known)
            result = DISP_E_UNKNOWNNAME;
    }
    return result;
}

HRESULT CEventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    if (id != OnQuitId)
        return DISP_E_MEMBERNOTFOUND;
    // The owner may let go of the browser, and with it of this sink, inside the call.
    AddRef();
    if (std::function<void()> callback = onQuit)
        callback();
    Release();
    return S_OK;
}
