#pragma once
// A control's name for assistive technology where its window text cannot be that name.
#include <windows.h>

#include <functional>

namespace rumona {

// MSAA and UI Automation name most controls by their window text, but an edit or a scroll bar by
// a static label just before it, and an edit's text is what it holds. Such a control is given its
// name as an annotation of both name properties (Dynamic Annotation). The annotation outlives the
// control's window unless it is taken off first: ForgetAccessibleName, at the latest as the
// window goes.
void SetAccessibleName(HWND control, const wchar_t* name);
inline void ForgetAccessibleName(HWND control) { SetAccessibleName(control, nullptr); }

// How the two annotate: a name, or null to take it off. Tests record the names instead, since
// Wine keeps no annotations.
extern std::function<void(HWND control, const wchar_t* name)> annotateName;

}  // namespace rumona
