#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <utility>

namespace cw::test
{

struct ModalOptions {
    int deadlineMs = 10000;   // the widget must come up within this time
    bool required = true;     // false: a widget that never comes up is no failure
    bool untilClosed = false; // answer again while the answered widget is still up
};

// Watches for the next modal widget of one kind and answers it once it is the active modal
// widget. A widget that does not come up within the deadline fails the test and ends the watch;
// the watch also ends when its object goes out of scope (failing the test when nothing was
// answered), so a widget that never came up is never answered in a later test.
class [[nodiscard]] ModalWatch
{
public:
    using Match = std::function<bool(QWidget*)>;
    using Answer = std::function<void(QWidget*)>;

    ModalWatch(std::string what, Match match, Answer answer, ModalOptions options)
        : state_(std::make_unique<State>())
    {
        State* s = state_.get();
        s->what = std::move(what);
        s->options = options;
        s->clock.start();
        s->timer.setInterval(10);
        QObject::connect(&s->timer, &QTimer::timeout,
                         [s, match = std::move(match), answer = std::move(answer)] {
                             QWidget* modal = QApplication::activeModalWidget();
                             const bool up = modal != nullptr && match(modal);
                             if (!up) {
                                 if (s->answered)
                                     s->timer.stop(); // the answered widget has closed
                                 else if (s->clock.elapsed() > s->options.deadlineMs)
                                     s->Expire();
                                 return;
                             }
                             if (s->answered && !s->options.untilClosed)
                                 return;
                             s->answered = true;
                             if (!s->options.untilClosed)
                                 s->timer.stop();
                             answer(modal);
                         });
        s->timer.start();
    }
    ModalWatch(ModalWatch&&) = default;
    ModalWatch& operator=(ModalWatch&&) = default;
    ~ModalWatch()
    {
        if (!state_)
            return;
        state_->timer.stop();
        if (!state_->answered && !state_->expired && state_->options.required)
            ADD_FAILURE() << "no " << state_->what << " came up";
    }

    bool answered() const { return state_->answered; }

private:
    struct State {
        std::string what;
        ModalOptions options;
        QTimer timer;
        QElapsedTimer clock;
        bool answered = false;
        bool expired = false;

        void Expire()
        {
            timer.stop();
            expired = true;
            if (options.required)
                ADD_FAILURE() << "no " << what << " came up within " << options.deadlineMs << " ms";
        }
    };
    std::unique_ptr<State> state_;
};

// Answers the next modal widget of type W with answer.
template <class W> ModalWatch AnswerModal(std::function<void(W&)> answer, ModalOptions options = {})
{
    return ModalWatch(
        W::staticMetaObject.className(),
        [](QWidget* modal) { return qobject_cast<W*>(modal) != nullptr; },
        [answer = std::move(answer)](QWidget* modal) { answer(*qobject_cast<W*>(modal)); },
        options);
}

} // namespace cw::test
