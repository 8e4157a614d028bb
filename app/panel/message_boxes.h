// The panel's modal questions and notices, shared by its command objects.
#pragma once

#include <QString>

#include "app/logic/transfer_outcome.h"

class QWidget;

namespace brondavel::app {

// The button the user chose (QMessageBox::StandardButton).
int AskUser(QWidget* parent, const QString& text, int buttons, int defaultButton = 0);
void TellUser(QWidget* parent, MessageLevel level, const QString& text);

// "Cannot save "path":\nreason", naming the path once: a core message that
// names it already stands as it is.
QString FailureText(const QString& verb, const QString& path, const std::string& reason);

}  // namespace brondavel::app
