#include "device/CThreadBasic.h"

CThreadBasic::CThreadBasic(WorkerClock& clock) : clock_(clock) {}

CThreadBasic::~CThreadBasic()
{
    StopThread();
}

void CThreadBasic::StartThread(std::chrono::milliseconds period)
{
    if (running_ || stopped_)
        return;
    period_ = period;
    running_ = true;
    thread_ = std::thread([this] { Body(); });
}

void CThreadBasic::StopThread()
{
    running_ = false;
    stopped_ = true;
    clock_.Stop();
    if (thread_.joinable())
        thread_.join();
}

void CThreadBasic::Body()
{
    while (running_) {
        DoWork();
        clock_.Pause(period_);
    }
    Finish();
}
