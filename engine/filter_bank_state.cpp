#include "filter_bank_state.h"

namespace tessera {

FilterBankState& bankState() {
    static FilterBankState state; // zero-filled at program start
    return state;
}

} // namespace tessera
