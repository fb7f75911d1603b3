#pragma once

// Help > Contents and the Help button: the manual handed to the desktop to
// open. A manual that is missing, or that no program could be found to show
// (the opener answers false), is reported with where it is or should be.

#include <QString>

#include <functional>

namespace zeltomir::shell {

class DialogService;

class ManualOpener {
public:
    using Opener = std::function<bool(const QString& path)>;

    // The manual at core::ManualPath, opened through QDesktopServices.
    explicit ManualOpener(DialogService& dialogs);

    void open() const;

    QString path() const { return m_path; }
    // Tests put a manual and an opener of their own here.
    void setPath(const QString& path) { m_path = path; }
    void setOpener(Opener opener) { m_open = std::move(opener); }

private:
    DialogService& m_dialogs;
    Opener m_open;
    QString m_path;
};

} // namespace zeltomir::shell
