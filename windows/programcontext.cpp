#include "programcontext.h"

#include "closa.h"
#include "dialogs.h"
#include "ffwerr.h"
#include "ffwmain.h"
#include "ffwopis.h"

#include <QCoreApplication>
#include <QFile>

ProgramContext::ProgramContext(std::string programFolder, std::unique_ptr<Dialogs> dialogs)
    : programFolder_(std::move(programFolder)), dialogs_(std::move(dialogs))
{
    mainWindow_ = std::make_unique<Tffwmain>(*this);
    closa_ = std::make_unique<Tclosa>(*this);
    errorWindow_ = std::make_unique<Tffwerr>(*dialogs_);
    opis_ = std::make_unique<Tffwopis>(document_);
    mainWindow_->connectWindows();
}

ProgramContext::~ProgramContext() = default;

std::string ProgramContext::applicationFolder()
{
    return QFile::encodeName(QCoreApplication::applicationDirPath() + QLatin1Char('/')).toStdString();
}

void ProgramContext::reportError(int code)
{
    errorWindow_->report(code);
}

void ProgramContext::addScreenHook(ScreenHook hook)
{
    screenHooks_.push_back(std::move(hook));
}

void ProgramContext::applyScreen()
{
    for (const ScreenHook& hook : screenHooks_) {
        if (hook.apply)
            hook.apply(document_.screen);
    }
}

void ProgramContext::collectScreen()
{
    for (const ScreenHook& hook : screenHooks_) {
        if (hook.collect)
            hook.collect(document_.screen);
    }
}
