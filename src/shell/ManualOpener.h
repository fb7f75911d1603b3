#pragma once

// Help > Contents and the Help button: the manual handed to the desktop to
// open. A manual that is missing, one that no application on the desktop
// opens PDF files for, and one whose opener fails (cannot start, or ends
// with an error) are reported with where the manual is or should be.
//
// The desktop's opener (xdg-open) only hands the file on: with no PDF viewer
// installed it starts and fails, so the desktop is asked first whether any
// application opens PDF files. The opener runs beside the program, owned by
// this object, and its failure is reported when it ends; the window never
// waits for it.

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

namespace zeltomir::shell {

class DialogService;

// What the desktop says about PDF files.
enum class PdfViewers {
    Some,      // an application opens them
    None,      // none does: the opener would start and fail
    CannotTell // the desktop cannot be asked; the opener is tried
};

class ManualOpener : public QObject {
    Q_OBJECT
public:
    using ViewerQuery = std::function<PdfViewers()>;
    // Replaces the desktop's opener: answers whether the document was shown.
    using Opener = std::function<bool(const QString& path)>;

    // The manual at core::ManualPath, opened by xdg-open after asking
    // xdg-mime for the default application of PDF files.
    explicit ManualOpener(DialogService& dialogs, QObject* parent = nullptr);
    ~ManualOpener() override;

    void open();

    QString path() const { return m_path; }
    // Openers started and not yet ended.
    int running() const { return m_running; }

    // Tests put a manual, an answer about PDF viewers, and an opener or the
    // command the desktop's opener is (the path is added as its last
    // argument) of their own here.
    void setPath(const QString& path) { m_path = path; }
    void setViewerQuery(ViewerQuery query) { m_viewers = std::move(query); }
    void setOpener(Opener opener) { m_open = std::move(opener); }
    void setOpenerCommand(const QString& program, const QStringList& arguments);

private:
    void startOpener(const QString& path);
    void reportCannotOpen(const QString& problem);
    QString shownPath() const;

    DialogService& m_dialogs;
    ViewerQuery m_viewers;
    Opener m_open;
    QString m_program;
    QStringList m_arguments;
    QString m_path;
    int m_running = 0;
};

// Asks xdg-mime for the default application of application/pdf.
PdfViewers AskDesktopForPdfViewers();

} // namespace zeltomir::shell
