#include "app/panel/link_bridge.h"

namespace brondavel::app {

void LinkBridge::OnLinkMessage(uint32_t message, uintptr_t wparam, uintptr_t lparam) {
    emit linkMessage(message, wparam, lparam);
}

void LinkBridge::OnLinkMessagePending() {
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (link_) link_->DispatchMessages();
        },
        Qt::QueuedConnection);
}

}  // namespace brondavel::app
