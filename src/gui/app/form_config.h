// The settings dialog TFormConfig ("Параметры системы"): matrix size and segment map, channel size,
// stake cost, the prizes for 0..5 matches and the weights of the "Вес" column on the first page,
// the web addresses (section "WEB") on the page "Сеть". It works on a copy
// of the settings block; Config() gives the block as the dialog holds it.
#pragma once

#include "core/net/catalog_client.h"
#include "core/net/web_settings.h"
#include "core/stats/stat_config.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTableWidget;
class QTabWidget;
class QToolButton;

namespace velmora {

// The controls of the weights of the "Вес" column, shared by the settings and filter dialogs: three
// edits (three decimals, the settings' limits) with their labels "Количество:", "Отклонение:",
// "Глубина:", and the switches for percentages and absolute values.
struct TWeightControls {
    QDoubleSpinBox* Count = nullptr;      // "edCoefCount"
    QDoubleSpinBox* Deviation = nullptr;  // "edCoefDeviation"
    QDoubleSpinBox* Level = nullptr;      // "edCoefLevel"
    QCheckBox* Percents = nullptr;        // "cbCoefPercents"
    QCheckBox* Abs = nullptr;             // "cbCoefAbs"
    std::array<QLabel*, 3> Labels{};      // of the three edits, in that order

    // Creates the controls as children of parent.
    static TWeightControls Create(QWidget* parent);
    std::array<QDoubleSpinBox*, 3> Edits() const { return {Count, Deviation, Level}; }
    void Set(const TRatingWeights& w) const;
    TRatingWeights Get() const;
    void SetEnabled(bool on) const;
};

class TFormConfig : public QDialog {
    Q_OBJECT
public:
    explicit TFormConfig(QWidget* parent = nullptr);

    void SetConfig(const TConfigData& config);
    // The block built from the controls: invalid amounts are 0, empty or invalid segment cells 1;
    // the prize table holds six entries, one per number of matches 0..5; MaxStake passes through.
    TConfigData Config() const;

    // The segment ids of numbers 1..50 as the grid shows them.
    std::array<uint8_t, 50> Segments() const;

    // The user's name and e-mail of the catalog (trimmed). OK accepts both empty or both valid.
    void SetUser(const TCatalogUser& user);
    TCatalogUser User() const;
    // The page "Сеть": the addresses and the CA file of section "WEB" (typed values normalised as
    // the settings file's are read). OK checks them (CheckWebSettings).
    void SetWeb(const TWebSettings& web);
    TWebSettings Web() const;
    void done(int result) override;

    QSpinBox* edMatrixCol;
    QSpinBox* edMatrixRow;
    QSpinBox* edChannelSize;
    QTableWidget* sgSegments;
    QLineEdit* edCost;
    QTableWidget* edProfits;
    TWeightControls Coef;
    QLineEdit* edUserName;
    QLineEdit* edUserMail;
    QTabWidget* pcConfig;
    QLineEdit* edDrawsSite;
    QLineEdit* edCatalogSite;
    QLineEdit* edUpdateSite;
    QLineEdit* edCAFile;
    QToolButton* btnCAFile;
    QSpinBox* edTotalTimeout;

private:
    // Sizes the grid for the columns and fills it with the ids in number order.
    void FillSegments(int cols, const std::array<uint8_t, 50>& ids);
    void MatrixColChanged(int cols);
    // A finished cell edit: an integer 1..9 or empty; anything else becomes "1" after the message.
    void SegmentEdited(int row, int col);

    QWidget* CreateWebPage();

    TConfigData config_;
    TWebSettings web_;
    bool filling_ = false;
};

} // namespace velmora
