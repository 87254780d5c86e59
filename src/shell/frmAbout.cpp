#include "shell/frmAbout.h"

#include <QLinearGradient>
#include <QPainter>

#include "app/ImageLayout.h"
#include "app/Messages.h"
#include "platform/bytes.h"
#include "shell/MenuAgg.h"

frmAbout::frmAbout(MdiFrame* frame) : ToolForm(frame, QStringLiteral("frmAbout"), Kind, MenuId::mnuInfo) {
    lblTitolo = new Label(this, QStringLiteral("lblTitolo"));
    lblTitolo->setWordWrap(true);
    lblTitolo->setAlignment(Qt::AlignCenter);
    QFont f = lblTitolo->font();
    f.setBold(true);
    lblTitolo->setFont(f);
    QPalette p = lblTitolo->palette();
    p.setColor(QPalette::WindowText, Qt::white);
    lblTitolo->setPalette(p);
    cmdOK = new CommandButton(this, QStringLiteral("cmdOK"));
    cmdOK->setCaption("OK");
    cmdOK->Click = [this] { cmdOK_Click(); };
}

void frmAbout::Form_Load() {
    ToolLoaded(false);
    Move(0, 0, DesignWidth, DesignHeight);
    setCaption(Msg(30) + "Velmora");
    lblTitolo->setCaption(Msg(129) + "\r\n" + Msg(130) + "\r\n" + Msg(131));
    lblTitolo->Move(240, 450, DesignWidth - 600, 1300);
    cmdOK->Move((DesignWidth - 1200) / 2 - 60, 1850, 1200, 375);
    std::string tag(ImgFixedLen, '\0');
    put(tag, ImgKind, Kind);
    setTag(tag);
}

void frmAbout::Form_Activate() { MenuAgg(); }

void frmAbout::Form_Unload(int& /*Cancel*/) {
    ToolUnloaded(false);
    MenuAgg();
}

void frmAbout::cmdOK_Click() { Unload(); }

void frmAbout::paintEvent(QPaintEvent* /*e*/) {
    // A night-blue field with a row of keyboard keys along its foot.
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, QColor(18, 32, 74));
    g.setColorAt(1, QColor(58, 92, 160));
    p.fillRect(rect(), g);
    const int keysTop = height() * 6 / 7, keyW = 12;
    p.setPen(QColor(30, 30, 30));
    for (int x = 0, k = 0; x < width(); x += keyW, ++k) {
        p.setBrush(Qt::white);
        p.drawRect(x, keysTop, keyW, height() - keysTop);
        if (k % 7 != 2 && k % 7 != 6) {
            p.setBrush(Qt::black);
            p.drawRect(x + keyW * 2 / 3, keysTop, keyW * 2 / 3, (height() - keysTop) * 3 / 5);
        }
    }
}
