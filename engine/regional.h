#pragma once
// The regional decimal separator: read once at program start from the
// system's settings ('.' when they name none) and used by every number text.
// Tests set it to check a decimal comma.

namespace tessera {

char decimalSeparator();
void setDecimalSeparator(char separator);

} // namespace tessera
