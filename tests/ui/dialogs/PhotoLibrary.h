#pragma once

#include "ScriptedDialogRunner.h"
#include "TempSettingsFile.h"
#include "TestLibrary.h"

#include "imaging/Picture.h"
#include "ui/dialogs/PhotoDialogHost.h"

// A new library with a settings file, scripted dialogs, and the host the photo dialog
// reports to; Saves() counts the saves the host asked for.
class PhotoLibrary : public TestLibrary {
public:
    ScriptedDialogRunner& Dialogs() { return m_dialogs; }
    ProfileSettings& Settings() { return m_settings.Settings(); }
    PhotoDialogHost& Host() { return m_host; }
    int Saves() const { return m_saves; }

    // The picture as the add command loads it.
    Picture LoadImage(const std::string& name, int width = 640, int height = 480) const
    {
        Picture picture;
        EXPECT_EQ(picture.LoadFile(MakeImage(name, width, height)), Picture::kOk);
        return picture;
    }

private:
    TempSettingsFile m_settings;
    ScriptedDialogRunner m_dialogs;
    int m_saves = 0;
    PhotoDialogHost m_host{GetLibrary(), Prompter(), m_settings.Settings(), m_dialogs, [this] {
                               ++m_saves;
                               return GetLibrary().Save(Prompter());
                           }};
};
