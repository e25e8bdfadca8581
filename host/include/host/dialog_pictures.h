// Pictures of the dialogs extensions run, for documentation and for checking
// a layout by eye: while a folder is set, every step of a modal dialog first
// writes the dialog as it stands to FOLDER/dialog-ID.png, so the last picture
// of a dialog shows it as the user left it.
#pragma once

#include <string>

namespace host {

// An empty folder switches pictures off. The environment variable
// VANTOR_DIALOG_PICTURES sets the folder a program starts with.
void SetDialogPictureFolder(const std::string& folder);

}  // namespace host
