#pragma once

#include "ControlState.h"

#include <QGroupBox>

#include <cstdint>

class QCheckBox;
class QPushButton;
class QRadioButton;

// "Navigation": which pane is shown, the activity view, and the window's own buttons.
class NavigationPane : public QGroupBox
{
    Q_OBJECT
public:
    enum class View : std::uint8_t { Install, Browse, Queue };

    explicit NavigationPane(QWidget* parent = nullptr);
    // Enables its controls from the state of the whole window.
    void applyControls(const ControlState& state);
    void setView(View view);
    void setActivityShown(bool shown);

signals:
    void viewChosen(NavigationPane::View view);
    void activityToggled(bool shown);
    void settingsAsked();
    void minimizeAsked();
    void exitAsked();

private:
    QRadioButton* m_installView;
    QRadioButton* m_browseView;
    QRadioButton* m_queueView;
    QCheckBox* m_showOutput;
    QPushButton* m_settings;
    QPushButton* m_minimize;
    QPushButton* m_exit;
};
