#pragma once

#include <QTransform>
#include <QWidget>
#include <functional>
#include <vector>

#include "dirty_region.h"
#include "game/frm_game.h"
#include "scene_painter.h"
#include "view_transform.h"

namespace quondra::qt {

// A frame of the scene: a child panel of the window, so it is drawn above
// the window's own objects, painting the lightweight objects it holds.
class FramePanel : public QWidget {
public:
    FramePanel(QWidget* parent, const FrmGame& frm, const Frame& frame, const ScenePainter& painter);
    const Frame& SceneFrame() const { return frame_; }
    // Called with the point (scene units, from the frame's corner) of a
    // left click that pressed and released there.
    void OnClick(std::function<void(float x, float y)> clicked) { clicked_ = std::move(clicked); }
    // Called at the end of every paint, to draw over the frame's objects.
    void OnPainted(std::function<void(QPainter&)> paintOver) { paintOver_ = std::move(paintOver); }
    // Repaints what changed in the frame's objects since the last call.
    void Refresh();
    // Takes the frame's place in the window's picture.
    void Place(const ViewTransform& view);
    // Scene pixels, from the frame's corner, to the panel's own pixels.
    const QTransform& ToPanel() const { return toPanel_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const FrmGame& frm_;
    std::function<void(float, float)> clicked_;
    std::function<void(QPainter&)> paintOver_;
    QPoint pressedAt_{-1, -1};
    const Frame& frame_;
    const ScenePainter& painter_;
    std::vector<Footprint> footprint_;
    QTransform toPanel_;
    QTransform toScene_;
};

}  // namespace quondra::qt
