// What the number-only edit boxes let the user type.
#include "ui/number_box.h"

bool IsAcceptedInNumberBox(unsigned int character) {
    const bool digit = character >= '0' && character <= '9';
    const bool control = character < 0x20 || character == 0x7F;
    return digit || character == '-' || control;
}
