#pragma once
// The language chooser: a small modal dialog listing the display names of
// the usable language files. No language is loaded while it shows, so it
// has no text of its own: no title, picture-only OK and Cancel buttons.

#include <functional>
#include <string>
#include <vector>

#include <QDialog>

class QListWidget;
class QPushButton;

class TformListaIdiomas : public QDialog {
public:
    // `terminoPendente` tells whether the application is quitting; while it
    // is, the chooser closes at once (Cancel).
    explicit TformListaIdiomas(std::function<bool()> terminoPendente = {});

    // Shows `nomes` (Windows-1252) in that order with item `indice` selected
    // (-1: none), modally. Gives the selected index when closed with OK (the
    // OK button, Enter, a double click anywhere in the list), which is -1
    // with nothing selected; -1 when closed any other way.
    int escolher(const std::vector<std::string>& nomes, int indice);

    QListWidget* listaIdiomas;
    QPushButton* btnOk;
    QPushButton* btnCancelar;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    std::function<bool()> terminoPendente_;
};
