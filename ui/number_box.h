// What the number-only edit boxes let the user type.
#pragma once

// True for a typed character that a number-only box accepts: the digits 0 to 9, the minus sign,
// and the control characters (Backspace, the Ctrl shortcuts), which keep working as usual. Every
// other printable character is dropped. Characters are UTF-16 code units.
bool IsAcceptedInNumberBox(unsigned int character);
