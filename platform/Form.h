#pragma once
// The original event model on a QWidget: Load once before the first show, Activate (the first
// one posted after the first show, so it also fires with no window manager), Resize,
// QueryUnload (may cancel), Unload (may cancel). Unload may be called inside a handler of the
// same form: the unload logic runs at once, the widget is deleted later, and code that resumes
// after a modal dialog or a wait checks isUnloaded() (or holds a QPointer) before touching it.
#include <QPointer>
#include <QString>
#include <QWidget>

class QEventLoop;

class Form : public QWidget {
    Q_OBJECT
public:
    // name: the form's given name ("frmMenu"), used by the journal.
    explicit Form(const QString& name, QWidget* parent = nullptr);
    ~Form() override;

    QString formName() const { return name_; }

    // Runs Form_Load once; later calls do nothing.
    void Load();
    // Loads if needed and shows. Modal: returns when the form is unloaded or hidden.
    void Show(bool modal = false);
    void Hide();
    // QueryUnload then Unload; false when either cancelled. unloadMode as in namespace unload.
    bool Unload(int unloadMode = 1);

    bool isLoaded() const { return loaded_; }
    bool isUnloaded() const { return unloaded_; }

    // Loads first when shown by any path (QWidget::show() too).
    void setVisible(bool visible) override;

    void setCaption(const QString& caption);
    QString caption() const;

    // Dimensions in twips, as the original forms give them.
    int twipsLeft() const;
    int twipsTop() const;
    int twipsWidth() const;   // outer width
    int twipsHeight() const;  // outer height
    int scaleWidth() const;   // inner (client) width in twips
    int scaleHeight() const;  // inner height in twips
    void moveTwips(int left, int top, int width = -1, int height = -1);

protected:
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Deactivate() {}
    virtual void Form_Resize() {}
    // unloadMode: 0 close box, 1 code, 2 Windows session end, 4 the frame closing.
    virtual void Form_QueryUnload(int& cancel, int unloadMode) { (void)cancel; (void)unloadMode; }
    virtual void Form_Unload(int& cancel) { (void)cancel; }

    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;
    bool event(QEvent* e) override;

private:
    void fireActivate();

    QString name_;
    bool loaded_ = false;
    bool unloaded_ = false;
    bool shownOnce_ = false;
    bool inUnload_ = false;
    bool active_ = false;  // Form_Activate has fired and no Form_Deactivate since
    QPointer<QEventLoop> modalLoop_;
};

// Unload constants of the original.
namespace unload {
constexpr int FormControlMenu = 0;
constexpr int FormCode = 1;
constexpr int AppWindows = 2;
constexpr int FormMDIForm = 4;
}  // namespace unload
