// Accessible names annotated on controls, for MSAA and UI Automation alike.
#include "common/accessible_name.h"

#include <initguid.h>  // oleacc.h's GUIDs are defined here, not linked from oleacc.lib
#include <oleacc.h>

#include "common/app.h"
#include "common/scoped_win.h"

namespace rumona {

namespace {

// UI Automation's Name property (Name_Property_GUID of UIAutomationCoreApi.h, which MinGW-w64's
// headers lack): UI Automation takes an annotation of its own property, MSAA one of
// PROPID_ACC_NAME.
constexpr GUID kUiaNameProperty = {0xc3a6921b, 0x4a99, 0x44f1,
                                   {0xbc, 0xa6, 0x61, 0x18, 0x70, 0x52, 0xc4, 0x31}};

// Where the system offers no annotation service, or refuses one, the control stays without a
// name, as before.
void Annotate(HWND control, const wchar_t* name) {
  EnsureCom();
  ComPtr<IAccPropServices> services;
  if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IAccPropServices, reinterpret_cast<void**>(services.put()))))
    return;
  const MSAAPROPID properties[] = {PROPID_ACC_NAME, kUiaNameProperty};
  const DWORD client = static_cast<DWORD>(OBJID_CLIENT);
  if (name)
    for (const MSAAPROPID& property : properties)
      services->SetHwndPropStr(control, client, CHILDID_SELF, property, name);
  else
    services->ClearHwndProps(control, client, CHILDID_SELF, properties, 2);
}

}  // namespace

std::function<void(HWND, const wchar_t*)> annotateName = Annotate;

void SetAccessibleName(HWND control, const wchar_t* name) {
  if (control) annotateName(control, name);
}

}  // namespace rumona
