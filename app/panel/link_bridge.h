// Carries the receiver link's messages to the GUI thread. The link's workers
// wait in the queued delivery; OnLinkMessagePending wakes the GUI thread,
// which dispatches them there, so every handler runs on the GUI thread while
// the worker waits for it.
#pragma once

#include <QObject>
#include <cstdint>

#include "link/receiver_link.h"

namespace brondavel::app {

class LinkBridge : public QObject, public link::LinkObserver {
    Q_OBJECT
  public:
    using QObject::QObject;
    // The link whose messages this bridge dispatches; set once it exists.
    void SetLink(link::ReceiverLink* link) { link_ = link; }

    void OnLinkMessage(uint32_t message, uintptr_t wparam, uintptr_t lparam) override;
    void OnLinkMessagePending() override;

  signals:
    // Emitted on the GUI thread; the worker waits until the slots return.
    void linkMessage(uint32_t message, quintptr wparam, quintptr lparam);

  private:
    link::ReceiverLink* link_ = nullptr;
};

}  // namespace brondavel::app
