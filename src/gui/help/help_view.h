// The viewer of the help document: a text browser with Back, Forward and Contents. Links between
// the document's pages are followed inside; web links go to the desktop's browser.
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;
class QToolButton;
class QUrl;

namespace velmora {

class THelpView : public QWidget {
    Q_OBJECT
public:
    explicit THelpView(QWidget* parent = nullptr);

    // Shows a page of the document; contents is the page of the Contents button (the guide's
    // index.htm). A missing page leaves the view empty.
    void OpenPage(const QString& file, const QString& contents);
    // The page shown (a local file, "" when none).
    QString CurrentFile() const;

    QTextBrowser* wbHelp;
    QToolButton* btnBack;
    QToolButton* btnForward;
    QToolButton* btnContents;

signals:
    // The title of the page shown changed.
    void TitleChanged(const QString& title);

private:
    void FollowLink(const QUrl& url);
    QString contents_;
};

} // namespace velmora
