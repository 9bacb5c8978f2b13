#include "regional.h"

namespace tessera {
namespace {
char separatorSetting = '.';
}

char decimalSeparator() { return separatorSetting; }
void setDecimalSeparator(char separator) { separatorSetting = separator; }

} // namespace tessera
