#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QAudioOutput;
class QMediaPlayer;

namespace tavolex::ui {

// A warning sound played once in the background through Qt Multimedia. A missing file, a
// file that cannot be played or a machine without audio plays nothing and says nothing.
class WarningSound : public QObject {
    Q_OBJECT
public:
    explicit WarningSound(QObject* parent = nullptr);

    void playOnce(const QString& path);
    void stop();

    // Tests hear the sound through this instead of the audio device; empty restores it.
    using Hook = std::function<void(const QString& path)>;
    static void setHook(Hook hook);

private:
    QMediaPlayer* m_player = nullptr; // made on the first play: no audio set-up before
    QAudioOutput* m_output = nullptr;
};

} // namespace tavolex::ui
