// The window "Описание методики расчета": the help topic of a statistic method in the help viewer
// (links to other pages of the document are followed in it), empty when the help document has no
// topic for it. Its placement is kept in the window settings (section TFormStatDescription).
#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;

namespace velmora {

class TTemplateMain;

class TFormStatDescription : public QDialog {
    Q_OBJECT
public:
    TFormStatDescription(TTemplateMain& window, QWidget* parent);

    // Opens the topic file; a missing file leaves the window empty.
    void OpenTopic(const QString& file);
    // The topic file shown ("" when none).
    const QString& TopicFile() const { return topic_; }

    class THelpView* View;
    QTextBrowser* wbDescription;  // the view's browser

protected:
    void done(int result) override;

private:
    void ReadPlacement();
    void WritePlacement();

    TTemplateMain& window_;
    QString topic_;
};

// The description of list method `method`, shown modally over parent: the method's topic in the
// help document of the interface language (help/Numora_<ABR>/Filters_1049_<base code>.htm, found
// beside the guide the program uses).
void ShowStatDescription(TTemplateMain& window, QWidget* parent, int method);

} // namespace velmora
