#include "sound_output.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QStringList>

std::unique_ptr<SoundOutput> SoundOutput::load() {
    // The module stays loaded for the rest of the run (a QLibrary deleted does not unload).
    static std::unique_ptr<QLibrary> module;
    static MakeSoundOutput make = [] {
        const QStringList places = {QCoreApplication::applicationDirPath(), TUTOR_SOUND_INSTALL_DIR,
                                    TUTOR_SOUND_BUILD_DIR};
        for (const QString& place : places) {
            auto* library = new QLibrary(place + "/libquadratic-tutor-sound.so");
            if (library->load())
                if (auto entry = reinterpret_cast<MakeSoundOutput>(
                        library->resolve("quadratic_tutor_sound_output"))) {
                    module.reset(library);
                    return entry;
                }
            delete library;
        }
        qWarning("quadratic-tutor: the sound module libquadratic-tutor-sound.so is missing");
        return MakeSoundOutput{};
    }();
    return std::unique_ptr<SoundOutput>(make ? make() : nullptr);
}
