#pragma once

class QWidget;

// Keeps a window above other windows (or lets it go back), without moving,
// resizing or showing it.
void SetTopmost(QWidget* window);
void ClearTopmost(QWidget* window);
// Places window centred over owner.
void CentreOver(QWidget* window, const QWidget* owner);
