#ifndef CHIRPWELL_TESTS_FAKES_FAKEPROGRESSFACTORY_H
#define CHIRPWELL_TESTS_FAKES_FAKEPROGRESSFACTORY_H

#include <deque>
#include <memory>
#include <string>

#include "document/IProgressFactory.h"
#include "tests/fakes/RecordingProgress.h"

// Makes progress windows that record every call into a record kept here, so what a
// window was told can be read after it is gone. The factory must outlive its windows.
class CFakeProgressFactory : public IProgressFactory {
public:
    std::unique_ptr<IProgress> Create() override
    {
        m_windows.emplace_back();
        ++m_nCreated;
        return std::make_unique<CWindow>(*this, m_windows.back());
    }

    int Alive() const { return m_nCreated - m_nDestroyed; }

    int m_nCreated = 0;
    int m_nDestroyed = 0;
    std::deque<CRecordingProgress> m_windows;  // one record per window made, in order

private:
    class CWindow : public IProgress {
    public:
        CWindow(CFakeProgressFactory& factory, CRecordingProgress& record)
            : m_factory(factory), m_record(record)
        {
        }
        ~CWindow() override { ++m_factory.m_nDestroyed; }
        void SetCaption(const std::string& caption) override { m_record.SetCaption(caption); }
        void SetPosition(int percent) override { m_record.SetPosition(percent); }

    private:
        CFakeProgressFactory& m_factory;
        CRecordingProgress& m_record;
    };
};

#endif
