#include "i18n/lista_idiomas.h"

#include <QEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QSvgRenderer>

#include "platform/core/cp1252.h"

namespace {

QPixmap desenhar(const QString& recurso) {
    QSvgRenderer svg(recurso);
    QPixmap pixmap(18, 18);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    svg.render(&painter);
    return pixmap;
}

QIcon icone(const QString& normal, const QString& desativado) {
    QIcon icon;
    icon.addPixmap(desenhar(normal), QIcon::Normal);
    icon.addPixmap(desenhar(desativado), QIcon::Disabled);
    return icon;
}

}  // namespace

TformListaIdiomas::TformListaIdiomas(std::function<bool()> terminoPendente)
    : QDialog(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      terminoPendente_(std::move(terminoPendente)) {
    Q_INIT_RESOURCE(lista_idiomas);
    setObjectName("formListaIdiomas");
    setWindowTitle(QString());
    setFixedSize(236, 252);

    listaIdiomas = new QListWidget(this);
    listaIdiomas->setObjectName("listaIdiomas");
    listaIdiomas->setGeometry(13, 15, 210, 185);
    listaIdiomas->setSelectionMode(QAbstractItemView::SingleSelection);
    listaIdiomas->setSortingEnabled(false);
    // A double click anywhere in the list, items or not, confirms.
    listaIdiomas->viewport()->installEventFilter(this);

    btnOk = new QPushButton(this);
    btnOk->setObjectName("btnOk");
    btnOk->setGeometry(95, 214, 75, 25);
    btnOk->setIcon(icone(":/i18n/imagens/ok.svg", ":/i18n/imagens/ok-desativado.svg"));
    btnOk->setCursor(Qt::PointingHandCursor);
    btnOk->setAutoDefault(false);
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);

    btnCancelar = new QPushButton(this);
    btnCancelar->setObjectName("btnCancelar");
    btnCancelar->setGeometry(175, 214, 48, 25);
    btnCancelar->setIcon(icone(":/i18n/imagens/cancelar.svg", ":/i18n/imagens/cancelar-desativado.svg"));
    btnCancelar->setCursor(Qt::PointingHandCursor);
    btnCancelar->setAutoDefault(false);
    connect(btnCancelar, &QPushButton::clicked, this, &QDialog::reject);  // Esc rejects too
}

int TformListaIdiomas::escolher(const std::vector<std::string>& nomes, int indice) {
    listaIdiomas->clear();
    for (const auto& nome : nomes) listaIdiomas->addItem(QString::fromStdString(platform::cp1252ToUtf8(nome)));
    listaIdiomas->setCurrentRow(-1);
    listaIdiomas->clearSelection();
    if (indice >= 0 && indice < listaIdiomas->count()) listaIdiomas->setCurrentRow(indice);

    if (terminoPendente_ && terminoPendente_()) return -1;
    if (QScreen* tela = QGuiApplication::primaryScreen())
        move(tela->availableGeometry().center() - rect().center());
    if (exec() != QDialog::Accepted) return -1;
    const auto selecionados = listaIdiomas->selectedItems();
    return selecionados.isEmpty() ? -1 : listaIdiomas->row(selecionados.first());
}

void TformListaIdiomas::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    btnOk->setDefault(true);
    listaIdiomas->setFocus();
}

bool TformListaIdiomas::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == listaIdiomas->viewport() && evento->type() == QEvent::MouseButtonDblClick) {
        accept();
        return true;
    }
    return QDialog::eventFilter(objeto, evento);
}
