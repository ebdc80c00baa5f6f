#include "toolkit/DialogKeys.h"

#include "toolkit/Form.h"

#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>

namespace hibimo {

namespace {

// Outside a QDialog Qt gives Enter and Escape no meaning; a key that no control of the window used
// reaches the window itself, and this filter gives it one there.
class DialogKeyFilter : public QObject {
  public:
    DialogKeyFilter(Form& form, QPushButton* defaultButton)
        : QObject(&form), form_(form), defaultButton_(defaultButton) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &form_ || event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & ~Qt::KeypadModifier)
            return false;
        switch (key->key()) {
        case Qt::Key_Escape:
            key->accept();
            form_.close();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (QPushButton* button = buttonForEnter()) {
                key->accept();
                button->click();
                return true;
            }
            return false;
        default:
            return false;
        }
    }

  private:
    QPushButton* buttonForEnter() const {
        auto* focused = qobject_cast<QPushButton*>(form_.focusWidget());
        if (focused && focused->isEnabled() && focused->isVisible())
            return focused;
        if (defaultButton_ && defaultButton_->isEnabled())
            return defaultButton_;
        return nullptr;
    }

    Form& form_;
    QPointer<QPushButton> defaultButton_;
};

} // namespace

void installDialogKeys(Form& form, QPushButton* defaultButton) {
    form.installEventFilter(new DialogKeyFilter(form, defaultButton));
    if (defaultButton)
        defaultButton->setDefault(true);
}

} // namespace hibimo
