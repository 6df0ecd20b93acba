// The window "Описание методики расчета": the help topic of a statistic method in a text browser
// filling the window, empty when the help document has no topic for it. Its placement is kept in
// the window settings (section TFormStatDescription).
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

    // The folder of the help document: "help" beside the executable (tests set another).
    static QString& HelpDir();

    QTextBrowser* wbDescription;

protected:
    void done(int result) override;

private:
    void ReadPlacement();
    void WritePlacement();

    TTemplateMain& window_;
    QString topic_;
};

// The description of list method `method`, shown modally over parent: the method's topic in the
// help document of the interface language (help/Numora_<ABR>/Filters_1049_<base code>.htm).
void ShowStatDescription(TTemplateMain& window, QWidget* parent, int method);

} // namespace velmora
