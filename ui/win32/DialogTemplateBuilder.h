#pragma once

#include "ui/Template.h"

#include <windows.h>

#include <vector>

namespace scrivlet::ui::win32 {

// The face every template is laid out for.
inline constexpr wchar_t DialogFace[] = L"MS Shell Dlg";
inline constexpr int DialogFacePoints = 8;

// The platform's own in-memory dialog template for one of ours: the dialog and
// each control in dialog units, in the 8-point dialog face, each control of
// its platform class. Kept as WORDs so that it is aligned as the platform
// wants. The dialog is created hidden; its menu is added afterwards.
std::vector<WORD> buildDialogTemplate(const DialogTemplate& dialog);

// Window styles of a control kind, as both templates and run-time controls use them.
DWORD controlStyle(ControlKind kind, const ControlTemplate& control);
DWORD controlExtendedStyle(const ControlTemplate& control);
// The platform class of a control, e.g. L"SysListView32".
const wchar_t* controlClass(const ControlTemplate& control);

} // namespace scrivlet::ui::win32
