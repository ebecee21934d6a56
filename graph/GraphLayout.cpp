// Colours and the layout of the main windows around the chart.
#include "GraphLayout.h"

#include <QStringList>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/basParam.h"
#include "graph/GraphOutput.h"
#include "platform/Forms.h"
#include "platform/PictureBox.h"
#include "platform/Screen.h"

namespace {

using basParam::GetParam;
using basParam::SetParam;

constexpr qint32 MinFormWidth = 3200;
constexpr qint32 MinFormHeight = 2000;
constexpr qint32 PictureTopWithButtons = 480;
constexpr qint32 PictureTopWithoutButtons = 120;
constexpr qint32 PictureBottomGapWithoutButtons = 130;
constexpr qint32 PictureRightGap = 20;

} // namespace

namespace basGraph {

void ResetGraphColors(GraphForm& form)
{
    SetParam(SettingKey::GraphForeColor, QStringLiteral("000000000"));
    SetParam(SettingKey::GraphBackColor, QStringLiteral("255255255"));
    SetParam(SettingKey::GraphPhysColor, QStringLiteral("064064200"));
    SetParam(SettingKey::GraphSensColor, QStringLiteral("200064064"));
    SetParam(SettingKey::GraphIntelColor, QStringLiteral("064200064"));
    DrawGraph(form, true);
}

void SetGraphCaption(GraphForm& form)
{
    QStringList names;
    for (int i = 1; i <= basParam::DisplayCount(); ++i) {
        names << basParam::DisplayName(i);
    }
    if (QWidget* w = form.FormWindow()) {
        w->setWindowTitle(QStringLiteral("バイオリズム （") + names.join(QStringLiteral(", ")) + QStringLiteral("）"));
    }
}

void LayoutMainWindow(GraphForm& form)
{
    QWidget* w = form.FormWindow();
    if (!w) {
        return;
    }
    const double tx = Forms::TwipsPerPixelX();
    const double ty = Forms::TwipsPerPixelY();

    // A window too small for the chart snaps back; rounding up keeps it from snapping again at the next resize.
    const QRect twips = Forms::GeometryTwips(w);
    if (twips.width() < MinFormWidth || twips.height() < MinFormHeight) {
        const int width = twips.width() < MinFormWidth ? static_cast<int>(std::ceil(MinFormWidth / tx)) : w->width();
        const int height
            = twips.height() < MinFormHeight ? static_cast<int>(std::ceil(MinFormHeight / ty)) : w->height();
        w->resize(width, height);
    }

    form.SetLineEndX(Forms::GeometryTwips(w).width());

    // The client area in twips of this screen. (A fixed 15 twips per pixel would put the picture past the
    // window's edge on any screen that is not 96 dots per inch.)
    const QSize client = form.ClientSizePixels();
    const double cw = client.width() * tx;
    const double ch = client.height() * ty;
    const bool buttons = GetParam(SettingKey::DateChangeButton).AsBool();
    const double top = buttons ? PictureTopWithButtons : PictureTopWithoutButtons;
    const double height = buttons ? ch - PictureTopWithButtons : ch - PictureBottomGapWithoutButtons;
    if (PictureBox* pic = form.picGraph()) {
        pic->setGeometry(pic->x(),
                         Forms::PixelsY(top),
                         std::max(0, Forms::PixelsX(cw - PictureRightGap)),
                         std::max(0, Forms::PixelsY(height)));
    }
}

void InitMainWindow(GraphForm& form)
{
    QWidget* w = form.FormWindow();
    if (w) {
        Screen::SetGeometryTwips(w,
                                 GetParam(SettingKey::GraphPosX).AsInt(),
                                 GetParam(SettingKey::GraphPosY).AsInt(),
                                 std::abs(static_cast<qint64>(GetParam(SettingKey::GraphWidth).AsInt())),
                                 std::abs(static_cast<qint64>(GetParam(SettingKey::GraphHeight).AsInt())));
    }
    const int graphDisp = GetParam(SettingKey::GraphDisp).AsInt();
    for (int k = 0; k < 4; ++k) {
        const int bit = 1 << k;
        if ((graphDisp & bit) == bit) {
            form.SetSelectGraphChecked(k, true);
        }
    }
    const QString period = QString::number(GetParam(SettingKey::DispPeriod).AsInt());
    form.SetDateChangeCaption(1, period + QStringLiteral("日前(&B)"));
    form.SetDateChangeCaption(2, period + QStringLiteral("日後(&A)"));
    const bool buttons = GetParam(SettingKey::DateChangeButton).AsBool();
    if (buttons) {
        form.SetDateButtonChecked(true);
    }
    for (int k = 0; k < 3; ++k) {
        form.SetDateButtonVisible(k, buttons);
    }
    SetGraphCaption(form);
    Forms::SetStayOnTop(w, GetParam(SettingKey::AlwayTop).AsBool());
    // Shown now, the window has its frame: the whole of that must be on a screen too.
    if (w) {
        Screen::KeepOnScreens(w);
    }
}

} // namespace basGraph
