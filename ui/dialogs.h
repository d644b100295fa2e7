// The two modal dialogs of the tool: the message box and the name dialog.
#pragma once

#include <string>
#include <string_view>

// Shows a message: no owner window, task-modal, an OK button only, the caption "信息：". Returns
// when the user has closed it.
void ShowMessage(std::string_view text);

// Asks for a profile name in a modal dialog owned by the main window, with the prompt, the caption
// and a one-line field pre-filled with name. OK stores the field's text into name and gives true;
// Cancel or closing the dialog leaves name untouched and gives false.
bool AskName(std::string_view prompt, std::string_view caption, std::string& name);
