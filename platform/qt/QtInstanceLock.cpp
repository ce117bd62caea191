#include "platform/qt/QtInstanceLock.h"

#include <QDir>

namespace corsel {

QtInstanceLock::~QtInstanceLock() {
    release();
}

bool QtInstanceLock::acquire(const std::string& name) {
    release();
    QString fileName = QString::fromStdString(name);
    // A lock name may hold path separators; the file stays in the folder.
    fileName.replace(QLatin1Char('/'), QLatin1Char('_'))
        .replace(QLatin1Char('\\'), QLatin1Char('_'));
    auto lock = std::make_unique<QLockFile>(QDir::tempPath() + QLatin1Char('/') + fileName +
                                            QStringLiteral(".lock"));
    // No age limit: a copy may run for days. A lock whose process is gone is
    // still taken over, QLockFile checks the process itself.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        return false;
    }
    lock_ = std::move(lock);
    return true;
}

void QtInstanceLock::release() {
    if (lock_) {
        lock_->unlock();
        lock_.reset();
    }
}

}  // namespace corsel
