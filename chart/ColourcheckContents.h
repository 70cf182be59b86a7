#ifndef COLOURCHECKCONTENTS_H
#define COLOURCHECKCONTENTS_H

#include <QWidget>

// The scrolled contents of a chart window: a white sheet holding the patch
// widgets. Mouse presses on it, or on a patch, are passed to the chart in
// contents coordinates.
class ColourcheckContents : public QWidget
{
    Q_OBJECT

public:
    explicit ColourcheckContents(QWidget* parent);

signals:
    void pressed(QMouseEvent* event);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

#endif
