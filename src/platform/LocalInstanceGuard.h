// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/InstanceGuard.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

class QLocalServer;
class QLockFile;

namespace moonleaf {

// The guard on this machine: a lock file and a local socket, both in the user's private
// folder (absolute paths, socket open to the user only). A lock left by a calendar that was
// killed is recovered, and so is its socket.
class LocalInstanceGuard final : public InstanceGuard {
public:
    // `folder` is the private folder (PrivateFolder()); empty makes the guard Unavailable.
    explicit LocalInstanceGuard(QString folder);
    ~LocalInstanceGuard() override;

    Claim Acquire() override;
    void SetCommandHandler(CommandHandler handler) override;
    void Release() override;

    // Sends one command line to the calendar that holds the guard of `folder` and returns
    // its answer, or no value when no calendar answers within `timeoutMs`.
    static std::optional<QByteArray> Send(const QString& folder, const QByteArray& command,
                                          int timeoutMs = 3000);

private:
    QString folder_;
    std::unique_ptr<QLockFile> lock_;
    std::unique_ptr<QLocalServer> server_;
    CommandHandler handler_;
};

} // namespace moonleaf
