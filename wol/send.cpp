#include "wol/send.h"
void SendCommand() {}
