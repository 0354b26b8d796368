#pragma once

#include <QMainWindow>
#include <QString>

class VURE;

// The one top-level window: the central panel, the File and Help menus and the About box.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    static constexpr int VersionMajor = 2;
    static constexpr int VersionMinor = 0;
    static constexpr int BuildNumber = 327;

    explicit MainWindow(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~MainWindow() override;

    VURE* centralPanel() const { return vure; }
    // 800 pixels wide and as tall as the window needs to show every chart.
    QSize fullSize() const;
    // The About box text: three lines, the version and the build.
    static QString versionText();

public slots:
    void exitProgram();
    void showVersionInfo();

private:
    void createMenus();

    VURE* vure;
};
