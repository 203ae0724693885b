// The window's own objects for screen readers. The graphics are no widgets,
// so each is a plain accessible interface without an object, made when a
// reader first asks for the client area and kept while the window lives.
// Only what a sighted player can see is offered; what changes is told on
// the spot for the focus, the screens and the pause, and within about a
// second for the counters and the focused meal's values.
#include "ui/access.h"

#include "game/fom.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTimer>

#include <array>
#include <map>
#include <memory>
#include <vector>

namespace a11y {

namespace {

enum Kind { Start, Group, Face, Confidence, Blood, Counter, Pause, Speaker };

class Client;

QString percent(int value) { return QString::number(qRound(value / 10.0)) + QStringLiteral("%"); }

// A counter's caption and number: week, day, then the rewards.
std::array<const tk::Label*, 2> counter(const Fom& f, int index) {
    const std::array<const tk::Label*, 2> labels[] = {{f.LblNamWeek, f.LblWeek}, {f.LblNamDay, f.LblDay}, {f.LblNamGhb, f.LblGhb}};
    return labels[index];
}

class Item : public QAccessibleInterface, public QAccessibleActionInterface, public QAccessibleValueInterface {
public:
    Item(Client* client, Kind kind, int index) : client_(client), kind_(kind), index_(index) {}

    bool isValid() const override { return true; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    int childCount() const override { return kind_ == Group ? 3 : 0; }
    QAccessibleInterface* child(int i) const override;
    int indexOfChild(const QAccessibleInterface* c) const override {
        for (int i = 0; i < childCount(); ++i)
            if (child(i) == c) return i;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (int i = 0; i < childCount(); ++i)
            if (child(i)->rect().contains(x, y)) return child(i);
        return nullptr;
    }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override {
        static constexpr QAccessible::Role roles[] = {
            QAccessible::Button,      QAccessible::Grouping,    QAccessible::Button,  QAccessible::ProgressBar,
            QAccessible::ProgressBar, QAccessible::StaticText, QAccessible::Notification, QAccessible::Graphic};
        return roles[kind_];
    }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ActionInterface && (kind_ == Start || kind_ == Face))
            return static_cast<QAccessibleActionInterface*>(this);
        if (t == QAccessible::ValueInterface && (kind_ == Confidence || kind_ == Blood))
            return static_cast<QAccessibleValueInterface*>(this);
        return nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override;
    QStringList keyBindingsForAction(const QString& name) const override {
        if (name != pressAction()) return {};
        return {kind_ == Face ? QString::number(index_ + 1) : QStringLiteral("Return")};
    }

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return 100; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

    Kind kind() const { return kind_; }
    int index() const { return index_; }

    // What the reader was last told, and when.
    bool toldShown = false;
    QString toldName, toldDescription;
    QVariant toldValue;
    QElapsedTimer toldAt;

private:
    Fom& fom() const;
    Client* client_;
    Kind kind_;
    int index_;
};

// The client area, listing the items a player sees now instead of its widgets.
// Qt makes it whenever the window shows, reader or not; it looks at what
// changed once a second only while a reader listens.
class Client : public QAccessibleWidget, public QAccessible::ActivationObserver {
public:
    Client(QWidget* w, Fom* f) : QAccessibleWidget(w), fom_(f) {
        auto add = [this](Kind k, int i) {
            items_[{k, i}] = new Item(this, k, i);
            QAccessible::registerAccessibleInterface(items_[{k, i}]);
        };
        add(Start, 0);
        for (int i = 0; i < Fom::Meals; ++i)
            for (Kind k : {Group, Face, Confidence, Blood}) add(k, i);
        for (int i = 0; i < 3; ++i) add(Counter, i);
        add(Pause, 0);
        add(Speaker, 0);
        poll_ = new QTimer(w);
        poll_->setInterval(1000);
        QObject::connect(poll_, &QTimer::timeout, w, [this] { tell(); });
        QAccessible::installActivationObserver(this);
        accessibilityActiveChanged(QAccessible::isActive());
    }
    ~Client() override {
        QAccessible::removeActivationObserver(this);
        for (const auto& [key, item] : items_) QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(item));
    }
    void accessibilityActiveChanged(bool active) override {
        if (active) poll_->start();
        else poll_->stop();
    }

    Fom& fom() const { return *fom_; }
    Item* item(Kind k, int i) const { return items_.at({k, i}); }

    // The items a sighted player sees now, top level first.
    std::vector<Item*> shown() const {
        std::vector<Item*> out;
        Fom& f = *fom_;
        const bool start = f.ImgStt->Visible();
        if (start && f.LblStt->Visible()) out.push_back(item(Start, 0));
        for (int i = 0; i < Fom::Meals; ++i)
            if (f.ImgFce(i).Visible() && f.client()->pictureAt(f.ImgFce(i).pixelRect().center()) == &f.ImgFce(i))
                out.push_back(item(Group, i));
        if (!start)
            for (int i = 0; i < 3; ++i) out.push_back(item(Counter, i));
        if (f.PicTeishi->isVisible()) out.push_back(item(Pause, 0));
        if (f.Img->Visible() && !start) out.push_back(item(Speaker, 0));
        return out;
    }

    int childCount() const override { return int(shown().size()); }
    QAccessibleInterface* child(int i) const override {
        const auto items = shown();
        return i >= 0 && i < int(items.size()) ? items[size_t(i)] : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* c) const override {
        const auto items = shown();
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i] == c) return int(i);
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (Item* i : shown())
            if (i->rect().contains(x, y)) return i->childAt(x, y) ? i->childAt(x, y) : i;
        return nullptr;
    }

    // Tells the reader what changed since it was last told: things shown or
    // gone and the focus at once, names and values at most once a second.
    void tell() {
        if (!QAccessible::isActive()) return;
        std::vector<Item*> now;
        for (Item* top : shown()) {
            now.push_back(top);
            for (int i = 0; i < top->childCount(); ++i) now.push_back(static_cast<Item*>(top->child(i)));
        }
        for (const auto& [key, item] : items_) {
            const bool visible = std::find(now.begin(), now.end(), item) != now.end();
            if (visible != item->toldShown) {
                item->toldShown = visible;
                // Shown as well, which a reader speaks for a notification.
                for (auto type : {visible ? QAccessible::ObjectCreated : QAccessible::ObjectHide,
                                  visible ? QAccessible::ObjectShow : QAccessible::ObjectDestroyed}) {
                    QAccessibleEvent e(item, type);
                    QAccessible::updateAccessibility(&e);
                }
                item->toldName = item->text(QAccessible::Name);
                item->toldDescription = item->text(QAccessible::Description);
                item->toldValue = item->currentValue();
                continue;
            }
            if (!visible) continue;
            if (const QString name = item->text(QAccessible::Name); name != item->toldName) {
                item->toldName = name;
                QAccessibleEvent e(item, QAccessible::NameChanged);
                QAccessible::updateAccessibility(&e);
            }
            // Of values, only the focused meal's, each at most once a second;
            // a counter's description changes with the language alone.
            const bool due = !item->toldAt.isValid() || item->toldAt.hasExpired(1000);
            const bool focused = item->kind() != Group && item->index() == fom_->Waku() &&
                                 (item->kind() == Face || item->kind() == Confidence || item->kind() == Blood);
            const bool told = item->kind() == Counter || (focused && due);
            if (const QString d = item->text(QAccessible::Description); told && d != item->toldDescription) {
                item->toldDescription = d;
                item->toldAt.start();
                QAccessibleEvent e(item, QAccessible::DescriptionChanged);
                QAccessible::updateAccessibility(&e);
            }
            if (const QVariant v = item->currentValue(); v.isValid() && focused && due && v != item->toldValue) {
                item->toldValue = v;
                item->toldAt.start();
                QAccessibleValueChangeEvent e(item, v);
                QAccessible::updateAccessibility(&e);
            }
        }
        const int focus = fom_->Waku();
        if (focus != toldFocus_ && focus >= 0 && fom_->ShpWaku->Visible()) {
            QAccessibleEvent e(item(Face, focus), QAccessible::Focus);
            QAccessible::updateAccessibility(&e);
        }
        toldFocus_ = fom_->ShpWaku->Visible() ? focus : -1;
    }

private:
    Fom* fom_;
    std::map<std::pair<Kind, int>, Item*> items_;
    QTimer* poll_;
    int toldFocus_ = -1;
};

Fom& Item::fom() const { return client_->fom(); }
QWindow* Item::window() const { return client_->window(); }

QAccessibleInterface* Item::parent() const {
    if (kind_ == Face || kind_ == Confidence || kind_ == Blood) return client_->item(Group, index_);
    return client_;
}

QAccessibleInterface* Item::child(int i) const {
    if (kind_ != Group || i < 0 || i > 2) return nullptr;
    return client_->item(i == 0 ? Face : i == 1 ? Confidence : Blood, index_);
}

QString Item::text(QAccessible::Text t) const {
    Fom& f = fom();
    if (t == QAccessible::Description && kind_ == Face) {
        if (f.ShpGosyoumou->Visible() && qRound(f.ShpGosyoumou->rect().left()) == index_)
            return QCoreApplication::translate("a11y", "自信 %1、血の清らかさ %2、主様の御所望")
                .arg(percent(f.Cp[index_]), percent(f.Blood[index_]));
        return QCoreApplication::translate("a11y", "自信 %1、血の清らかさ %2").arg(percent(f.Cp[index_]), percent(f.Blood[index_]));
    }
    if (t == QAccessible::Description && kind_ == Counter) return counter(f, index_)[1]->toolTip();
    if (t == QAccessible::Value && (kind_ == Confidence || kind_ == Blood)) return currentValue().toString();
    if (t != QAccessible::Name) return {};
    switch (kind_) {
    case Start: return f.LblStt->text();
    case Group:
    case Face: return QCoreApplication::translate("a11y", "食事 %1").arg(index_ + 1);
    case Confidence: return QCoreApplication::translate("a11y", "自信");
    case Blood: return QCoreApplication::translate("a11y", "血の清らかさ");
    case Counter: return counter(f, index_)[0]->text() + QLatin1Char(' ') + counter(f, index_)[1]->text();
    case Pause:
        return tk::hold().heldBy(tk::Hold::Player) ? QCoreApplication::translate("a11y", "一時停止中、P キーで再開")
                                                   : QCoreApplication::translate("a11y", "一時停止中");
    case Speaker: {
        const QString who = QFileInfo(f.Img->source()).completeBaseName().toLower();
        if (who == QLatin1String("fce8")) return QCoreApplication::translate("a11y", "案内役");
        if (who == QLatin1String("fce9")) return QCoreApplication::translate("a11y", "主様");
        if (who == QLatin1String("fce0")) return QCoreApplication::translate("a11y", "開花した主様");
        return QCoreApplication::translate("a11y", "食事 %1").arg(who.mid(3, 1));
    }
    }
    return {};
}

QRect Item::rect() const {
    Fom& f = fom();
    auto on = [](const QWidget* w, const QRect& r) { return QRect(w->mapToGlobal(r.topLeft()), r.size()); };
    switch (kind_) {
    case Start: return on(f.client(), f.ImgStt->pixelRect());
    case Group: return on(f.client(), f.ImgFce(index_).pixelRect()) | on(&f.Pic(index_), f.Pic(index_).rect());
    case Face: return on(f.client(), f.ImgFce(index_).pixelRect());
    case Confidence: return on(&f.Pic(index_), f.CpShp(index_).pixelRect());
    case Blood: return on(&f.Pic(index_), f.BloodShp(index_).pixelRect());
    case Counter: return on(f.client(), counter(f, index_)[0]->pixelRect() | counter(f, index_)[1]->pixelRect());
    case Pause: return on(f.client(), f.PicTeishi->geometry());
    case Speaker: return on(f.client(), f.Img->pixelRect());
    }
    return {};
}

QAccessible::State Item::state() const {
    QAccessible::State s;
    Fom& f = fom();
    if (kind_ == Face) {
        s.focusable = true;
        s.focused = f.Waku() == index_ && f.ShpWaku->Visible() && f.isActiveWindow();
        s.disabled = !f.faceTakesClick(index_);
    }
    if (kind_ == Start) s.disabled = !f.startTakesClick();
    s.readOnly = kind_ == Confidence || kind_ == Blood || kind_ == Counter;
    return s;
}

// A reader waits for the answer to an action: the click comes afterwards,
// through the same path as the mouse's, lest a scene's boxes hold it up.
void Item::doAction(const QString& name) {
    if (name != pressAction()) return;
    Fom* f = &fom();
    const int i = index_;
    if (kind_ == Start) {
        QTimer::singleShot(0, f, [f] {
            if (f->startTakesClick()) f->ImgStt_Click();
        });
    } else if (kind_ == Face) {
        QTimer::singleShot(0, f, [f, i] {
            if (!f->faceTakesClick(i)) return;
            f->ImgFce_MouseDown(i);
            f->ImgFce_MouseUp(i);
            f->ImgFce_Click(i);
        });
    }
}

QVariant Item::currentValue() const {
    if (kind_ == Confidence) return qRound(fom().Cp[index_] / 10.0);
    if (kind_ == Blood) return qRound(fom().Blood[index_] / 10.0);
    return {};
}

QAccessibleInterface* factory(const QString&, QObject* o) {
    auto* w = qobject_cast<QWidget*>(o);
    auto* f = w ? qobject_cast<Fom*>(w->window()) : nullptr;
    return f && f->client() == w ? new Client(w, f) : nullptr;
}

}  // namespace

void install() {
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
}

void changed(Fom& f) {
    if (!QAccessible::isActive()) return;
    if (auto* c = dynamic_cast<Client*>(QAccessible::queryAccessibleInterface(f.client()))) c->tell();
}

}  // namespace a11y
