#pragma once

#include <QCoreApplication>
#include <QString>

#include <functional>
#include <string>

namespace tessaray {

class CCommandFrame;
class CTessarayDoc;
struct SUiHooks;

// The commands on the project's run history: the History dialog (Analyse menu, or opened on the
// changes of the last run from the notice after a run) and saving the
// changes between the last two runs as CSV or JSON (Export menu). Each needs a saved project with
// a history and no run going; a history that cannot be read is told in a message box.
class CHistoryCommands final {
    Q_DECLARE_TR_FUNCTIONS(tessaray::CHistoryCommands)

public:
    // isIdle tells whether no analysis runs now.
    CHistoryCommands(CCommandFrame& frame, const SUiHooks& hooks, const CTessarayDoc& doc,
                     char chLanguage, std::function<bool()> isIdle);

    void ConnectCommands();

    // bLatestChanges: the dialog opens on the changes of the last run against the completed run
    // before it.
    void OnHistory(bool bLatestChanges = false);
    void OnSaveChanges(bool bJson);

private:
    bool CanUse() const;
    void ShowReadFailure(const std::string& path, const std::string& error);
    void ShowMessage(const QString& text);

    CCommandFrame& m_frame;
    const SUiHooks& m_hooks;
    const CTessarayDoc& m_doc;
    char m_chLanguage;
    std::function<bool()> m_isIdle;
};

} // namespace tessaray
