// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QSocketNotifier;

namespace moonleaf {

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the user-interface thread: the
// handler only writes a byte to a socket pair, whose other end a notifier watches. While
// an instance lives the three signals no longer end the process by themselves.
class TerminationSignals : public QObject {
    Q_OBJECT

public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void Received();

private:
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace moonleaf
