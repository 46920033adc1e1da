#include "qk330/QK330RegisterAccess.h"

#include "app/Forms.h"
#include "qk330/QK330Regunit.h"

namespace qk {

RegisterAccess QK330Access() {
    return {.storeAndWrite =
                [](uint8_t reg, uint8_t value) {
                    return QK330RegForm->Image().StoreAndWrite(reg, value);
                },
            .readAndStore = [](uint8_t reg) { return QK330RegForm->Image().ReadAndStore(reg); }};
}

void QK330StoreAndWrite(uint8_t reg, uint8_t value) {
    QK330RegForm->Image().StoreAndWrite(reg, value);
}

}  // namespace qk
