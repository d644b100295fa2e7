#include "scan/scan.h"
void ScanCommand() {}
void StopScan() {}
void ShowSelectedHost() {}
