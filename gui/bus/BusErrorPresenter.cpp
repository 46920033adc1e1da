#include "gui/bus/BusErrorPresenter.h"

#include <utility>

namespace qk {

BusErrorPresenter::BusErrorPresenter(I2cMaster& master, View view)
    : master_(master), view_(std::move(view)) {
    master_.AddBusErrorListener(this);
}

BusErrorPresenter::~BusErrorPresenter() {
    master_.RemoveBusErrorListener(this);
}

void BusErrorPresenter::OnBusError(const BusErrorEvent& event) {
    if (!event.firstOfKind) return;
    if (event.kind == BusErrorEvent::Kind::Other) {
        view_.errorLine(event.text);
        return;
    }
    const bool ack = event.kind == BusErrorEvent::Kind::Ack;
    // The master sets an error's flag after telling it, so the flags read as before this one.
    const bool otherCameFirst = ack ? master_.WaitError() : master_.AckError();
    (otherCameFirst ? view_.secondLine : view_.firstLine)(event.text);
    if (ack) view_.errorLine(event.text);
    if (!event.probing) (ack ? view_.ackDialog : view_.waitDialog)();
}

}  // namespace qk
