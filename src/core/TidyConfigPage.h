#pragma once
// The Tidy configuration page: the list of configuration files, the option grid
// with its value editors, the comments and the quick reference. The grid is a
// view of the current configuration; reading and writing the files is
// TidyConfiguration's work.
#include "program/TidyOptionTables.h"
#include "validation/TidyConfigFile.h"

#include <QWidget>

#include <functional>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QTabWidget;
class QTableWidget;
class QTextEdit;
class QWebEngineView;

struct VkSettings;

class TTidyConfigPage : public QWidget {
    Q_OBJECT
public:
    // The chosen configuration file and the quick reference come from the settings, and
    // a configuration picked in the list goes back there.
    explicit TTidyConfigPage(VkSettings &settings, QWidget *parent = nullptr);

    // The option tables of the settings file give the option model; then the
    // list is filled and the current configuration file loaded.
    void Init(const TidyOptionTables &tables);
    // The save dialog's filter list, which the main window owns.
    void SetSaveDialogFilter(std::function<QString()> filter) { m_saveFilter = std::move(filter); }

    // What a validation run needs.
    const TidyConfiguration &Configuration() const { return m_config; }
    const TidyOptionModel &Options() const { return m_options; }
    bool HasConfigurationChosen() const;

    QComboBox *ConfigList() const { return CBConfigTidy; }
    QComboBox *ValueList() const { return CBTidyOptions; }
    QTableWidget *Grid() const { return GridTidyConfig; }

    void CBTidyConfigInit();
    // Shows the current configuration file's name in CBConfigTidy.
    void CBTidyConfigShowCurrent();
    void CBTidyConfigChange();
    // False, with the reason, when the file cannot be read; the grid then keeps its content.
    bool LoadGridTidyConfig(const QString &file, QString *error = nullptr);
    void GridTidyConfigInit();
    void GridTidyConfigSize();
    void GridTidyConfigReset();
    void GridTidyConfigSelectCell(int column, int row);
    void CBTidyConfigValuesClick();
    void GridTidyConfigTopLeftChanged();
    // Mode 0 writes without asking; mode 1 asks before replacing a file.
    bool GridTidyConfigSave(const QString &file, int mode);
    bool ButtonGridTidyConfigSaveClick();
    void ButtonGridTydiConfigDeleteItemClick();
    void DeleteGridEmptyClasses();
    // Adds the option under its class, or gives the option already there the
    // new value; false when the name or the value is unusable.
    bool AddOptionToConfigGrid(const QString &name, const QString &value);
    void ShowAddTidyConfigValue();
    void ShowTagNamesEditor();
    // The page comes to the front (the quick reference is loaded the first
    // time and refreshed later) or leaves it.
    void PageShown();
    void PageHidden();
    // The quick reference file changed (another language): show the new one.
    void QuickReferenceChanged();

    // The option name of a grid row; empty for a class title or an empty row.
    QString GridTidyConfigOptionAt(int row) const;
    int GridTidyConfigRowOf(const QString &name) const;
    // False (and nothing changes) when the option's type refuses the value.
    bool GridTidyConfigSetValue(int row, const QString &value);
    // The grid holds edits that neither the loaded file nor a save-as holds.
    bool GridTidyConfigModified() const;

private:
    // Writes the rows of the configuration into the grid.
    void GridTidyConfigFill();
    QAction *addAction(QMenu *menu, const QString &name, const QString &caption);

    TidyOptionModel m_options;
    TidyConfiguration m_config;
    TidyConfiguration m_saved;
    std::function<QString()> m_saveFilter;
    VkSettings &m_settings;
    int OptionRowCount = 0;
    int ClassHeaderCount = 0;
    int OptionGridRow = 0;
    bool QuickRefNavigated = false;

    QComboBox *CBConfigTidy = nullptr;
    QComboBox *CBTidyOptions = nullptr;
    QTableWidget *GridTidyConfig = nullptr;
    QTextEdit *MemoConfigFileComments = nullptr;
    QTabWidget *PageControlConfigFile = nullptr;
    QWidget *PanelQuickReference = nullptr;
    QWebEngineView *WebBrowserDocumentation = nullptr;
    QLabel *LabelForTheLastVersion = nullptr;
    QMenu *PopupMenuGridConfig = nullptr;
};
