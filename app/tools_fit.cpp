// Tools menu command (being built).
#include "Main.h"

void TMainForm::FitItemClick() {}
