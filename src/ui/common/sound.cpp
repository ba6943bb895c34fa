#include "sound.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QUrl>

namespace tavolex::ui {

namespace {
WarningSound::Hook& hook() {
    static WarningSound::Hook h;
    return h;
}
} // namespace

WarningSound::WarningSound(QObject* parent) : QObject(parent) {}

void WarningSound::setHook(Hook h) {
    hook() = std::move(h);
}

void WarningSound::playOnce(const QString& path) {
    if (!QFileInfo(path).isFile()) return;
    if (hook()) {
        hook()(path);
        return;
    }
    if (!m_player) {
        m_player = new QMediaPlayer(this);
        m_output = new QAudioOutput(this);
        m_player->setAudioOutput(m_output);
        // An unplayable file or a missing device ends in an error: nothing to tell the user.
        connect(m_player, &QMediaPlayer::errorOccurred, m_player, &QMediaPlayer::stop);
    }
    m_player->stop();
    m_player->setLoops(1);
    m_player->setSource(QUrl::fromLocalFile(path));
    m_player->play();
}

void WarningSound::stop() {
    if (m_player) m_player->stop();
}

} // namespace tavolex::ui
