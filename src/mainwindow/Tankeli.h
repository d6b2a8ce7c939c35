#pragma once
// The main window: the seven trip rows, the commands Laske, Nollaa and Ohjeita, the
// menus, the time view and the About box. It owns the calibration state that the
// calculation reads, and saves the settings file when it closes.

#include "app/ProgramFolders.h"
#include "records/RecordStore.h"
#include "look/PictureButtons.h"

#include <QMainWindow>
#include <QPointer>
#include <array>

class QLabel;
class QLineEdit;

namespace tankeli {

class GradientBackground;
class Help;
class Kalibroi;
class Stat;
class Tiedosto;

class Tankeli : public QMainWindow
{
    Q_OBJECT
public:
    explicit Tankeli(ProgramFolders folders, QWidget *parent = nullptr);
    ~Tankeli() override;

    // Start-up: pictures, captions, tooltips and the settings file. Returns a message
    // naming the file and the fault when the program cannot start, else empty.
    QString Form_Load();
    // Runs command 0 (calculate), 1 (reset) or 2 (help).
    void Suorita(int index);

    // The calibration state: the margin in percent, the readings committed by the
    // calibration window, and whether the calculation applies the margin.
    float Virhemarginaali = 0;
    qint16 Taulun_Lukema = 0;
    qint16 Mittarin_Lukema = 0;
    bool Kalibrointi_Kaytossa = false;

    // The trip fields, in row order (row 3 is litres, row 4 the trip price).
    static constexpr int rowCount = 7;
    QLineEdit *rowField(int row) const { return m_fields[row]; }
    QLineEdit *Txt_Bensanhinta() const { return m_fields[0]; }
    QLabel *txt_Vasen(int row) const { return m_captions[row]; }
    QLabel *txt_Oikea(int row) const { return m_units[row]; }
    QLabel *txt_Otsikko() const { return m_title; }
    PictureButtons *buttons() const { return m_buttons; }
    GradientBackground *client() const { return m_client; }
    Help *helpWindow() const;
    // The file window, created hidden on first use; nullptr when it could not load.
    Tiedosto *fileWindow();
    Tiedosto *existingFileWindow() const;

    // The five fields a trip record stores, in record order.
    RecordValues recordFields() const;
    void setRecordFields(const RecordValues &values);

    QAction *Menu_Avaa, *Menu_Tallenna, *Menu_Lopeta, *Menu_Kalibroi, *Menu_Aika, *Menu_Stat,
        *Menu_Ohjeita, *Menu_Tietoja;

    // The calibration window, which exists (hidden) from start-up on.
    Kalibroi *calibrationWindow() const;
    Stat *statWindow() const;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createRows();
    void createMenus();
    void applyTimeView();
    void Menu_Tietoja_Click();
    void Form_Resize();
    void Form_Unload();
    void Kasittele_Nappain(int key);
    void calculate();
    void reset();
    void showHelp();
    void openFileWindow(QAction *command);
    void showCalibration();
    void showStatistics();
    template <typename Window> QString createWindow(QPointer<Window> &holder);
    template <typename Window> Window *ensureWindow(QPointer<Window> &holder);
    bool handleFieldKey(QLineEdit *field, QKeyEvent *event);

    ProgramFolders m_folders;
    GradientBackground *m_client;
    QLabel *m_title;
    std::array<QLineEdit *, rowCount> m_fields{};
    std::array<QLabel *, rowCount> m_captions{};
    std::array<QLabel *, rowCount> m_units{};
    ButtonPictures m_pictures;
    PictureButtons *m_buttons = nullptr;
    QPointer<Kalibroi> m_calibration;
    QPointer<Help> m_help;
    QPointer<Tiedosto> m_files;
    QPointer<Stat> m_stat;
    bool m_loaded = false;
};

} // namespace tankeli
