#include "sound_output.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QStringList>

std::unique_ptr<SoundOutput> SoundOutput::load() {
    static MakeSoundOutput make = [] {
        const QStringList places = {QCoreApplication::applicationDirPath(), TUTOR_SOUND_INSTALL_DIR,
                                    TUTOR_SOUND_BUILD_DIR};
        for (const QString& place : places) {
            // Left loaded for the rest of the run.
            auto* library = new QLibrary(place + "/libquadratic-tutor-sound.so");
            if (library->load())
                if (auto entry = reinterpret_cast<MakeSoundOutput>(
                        library->resolve("quadratic_tutor_sound_output")))
                    return entry;
            delete library;
        }
        qWarning("quadratic-tutor: the sound module libquadratic-tutor-sound.so is missing");
        return MakeSoundOutput{};
    }();
    return std::unique_ptr<SoundOutput>(make ? make() : nullptr);
}
