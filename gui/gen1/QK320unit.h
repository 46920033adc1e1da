#pragma once
#include "gui/gen1/QK310unit.h"
#include "gui/registerkit/ChannelPanel.h"
#include "gui/session/ChipSession.h"

// The QK320 model (also serves the QK350/60): the QK310 model with its own power-on table and the
// register editor's ABD delay group shown.
class TQK320Form : public TQK310Form {
    Q_OBJECT
  public:
    explicit TQK320Form(qk::ChipSession& session, qk::ChannelPanel& channels,
                        QWidget* parent = nullptr);
};
