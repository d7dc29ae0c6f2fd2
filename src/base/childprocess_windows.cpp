#include "base/childprocess.h"

#include <QDeadlineTimer>
#include <QDir>

#include <algorithm>
#include <cwchar>
#include <string>
#include <thread>
#include <vector>

#include <windows.h>

namespace sorvix::childprocess {

namespace {

// The helper finds the write end of its answer pipe, the one handle it
// inherits, named in this variable of its environment.
constexpr wchar_t AnswerVariable[] = L"SORVIX_ANSWER_HANDLE";

// One argument as the C runtime's parser of the helper reads it back.
std::wstring quoted(const std::wstring &argument)
{
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos)
        return argument;
    std::wstring out = L"\"";
    for (size_t i = 0;; ++i) {
        size_t backslashes = 0;
        while (i < argument.size() && argument[i] == L'\\') {
            ++i;
            ++backslashes;
        }
        if (i == argument.size()) {
            out.append(backslashes * 2, L'\\');
            break;
        }
        if (argument[i] == L'"')
            out.append(backslashes * 2 + 1, L'\\');
        else
            out.append(backslashes, L'\\');
        out.push_back(argument[i]);
    }
    out.push_back(L'"');
    return out;
}

// This process's environment with the answer handle's variable set, as a
// block for CreateProcessW (sorted, as Windows keeps it).
std::vector<wchar_t> environmentWith(const std::wstring &setting)
{
    std::vector<std::wstring> entries;
    wchar_t *block = ::GetEnvironmentStringsW();
    const std::wstring prefix = std::wstring(AnswerVariable) + L"=";
    for (const wchar_t *p = block; p && *p; p += std::wcslen(p) + 1) {
        if (_wcsnicmp(p, prefix.c_str(), prefix.size()) != 0)
            entries.emplace_back(p);
    }
    if (block)
        ::FreeEnvironmentStringsW(block);
    entries.push_back(setting);
    std::sort(entries.begin(), entries.end(),
              [](const std::wstring &a, const std::wstring &b) { return _wcsicmp(a.c_str(), b.c_str()) < 0; });
    std::vector<wchar_t> out;
    for (const std::wstring &entry : entries)
        out.insert(out.end(), entry.c_str(), entry.c_str() + entry.size() + 1);
    out.push_back(L'\0');
    return out;
}

struct Handle
{
    HANDLE h = nullptr;
    ~Handle() { close(); }
    void close()
    {
        if (h && h != INVALID_HANDLE_VALUE)
            ::CloseHandle(h);
        h = nullptr;
    }
};

} // namespace

Result run(const QString &program, const QStringList &arguments, qint64 memoryCap, int timeoutMs)
{
    Result result;
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    Handle readEnd, writeEnd;
    if (!::CreatePipe(&readEnd.h, &writeEnd.h, &inheritable, 0))
        return result;
    ::SetHandleInformation(readEnd.h, HANDLE_FLAG_INHERIT, 0);

    // The cap and the kill: the helper runs in a job that limits its memory
    // and ends it when this process lets go of the job (at the end of run(),
    // or when this process dies). A crash ends it without a dialog.
    Handle job;
    job.h = ::CreateJobObjectW(nullptr, nullptr);
    if (!job.h)
        return result;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_PROCESS_MEMORY | JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE
                                              | JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION;
    limits.ProcessMemoryLimit = SIZE_T(memoryCap);
    if (!::SetInformationJobObject(job.h, JobObjectExtendedLimitInformation, &limits, sizeof limits))
        return result;

    // Only the pipe's write end is handed down, not every inheritable handle
    // this process happens to hold.
    SIZE_T attributeSize = 0;
    ::InitializeProcThreadAttributeList(nullptr, 1, 0, &attributeSize);
    std::vector<char> attributeBuffer(attributeSize);
    auto *attributes = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(attributeBuffer.data());
    if (!::InitializeProcThreadAttributeList(attributes, 1, 0, &attributeSize))
        return result;
    HANDLE inherited[] = {writeEnd.h};
    const bool listed = ::UpdateProcThreadAttribute(attributes, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, inherited,
                                                    sizeof inherited, nullptr, nullptr);

    std::wstring commandLine = quoted(QDir::toNativeSeparators(program).toStdWString());
    for (const QString &argument : arguments)
        commandLine += L" " + quoted(argument.toStdWString());
    std::vector<wchar_t> environment = environmentWith(
        std::wstring(AnswerVariable) + L"=" + std::to_wstring(reinterpret_cast<quintptr>(writeEnd.h)));
    const std::wstring file = QDir::toNativeSeparators(program).toStdWString();

    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = sizeof startup;
    startup.lpAttributeList = attributes;
    PROCESS_INFORMATION process{};
    // Suspended until it is in the job, so the cap holds from its first instruction.
    const bool started = listed
        && ::CreateProcessW(file.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                            CREATE_SUSPENDED | CREATE_UNICODE_ENVIRONMENT | EXTENDED_STARTUPINFO_PRESENT
                                | CREATE_NO_WINDOW,
                            environment.data(), nullptr, &startup.StartupInfo, &process);
    ::DeleteProcThreadAttributeList(attributes);
    if (!started)
        return result;
    Handle child, thread;
    child.h = process.hProcess;
    thread.h = process.hThread;
    if (!::AssignProcessToJobObject(job.h, child.h)) {
        ::TerminateProcess(child.h, 1);
        ::WaitForSingleObject(child.h, INFINITE);
        return result;
    }
    ::ResumeThread(thread.h);
    thread.close();
    // Only the helper holds the write end now: the pipe ends when it does.
    writeEnd.close();

    QByteArray answer;
    std::thread reader([&answer, pipe = readEnd.h] {
        char buffer[65536];
        DWORD n = 0;
        while (::ReadFile(pipe, buffer, sizeof buffer, &n, nullptr) && n > 0)
            answer.append(buffer, qsizetype(n));
    });
    QDeadlineTimer deadline(timeoutMs);
    const DWORD waited = ::WaitForSingleObject(child.h, DWORD(std::max<qint64>(0, deadline.remainingTime())));
    const bool timedOut = waited != WAIT_OBJECT_0;
    if (timedOut) {
        ::TerminateProcess(child.h, 1);
        ::WaitForSingleObject(child.h, INFINITE);
    }
    reader.join();

    DWORD code = 1;
    ::GetExitCodeProcess(child.h, &code);
    if (timedOut)
        result.outcome = Result::Outcome::TimedOut;
    else if (code == 0)
        result.outcome = Result::Outcome::Answered;
    else
        result.outcome = Result::Outcome::Failed; // a crash shows as a code such as 0xC0000005
    if (result.outcome == Result::Outcome::Answered)
        result.answer = answer;
    return result;
}

bool sendAnswer(const QByteArray &answer)
{
    wchar_t value[32];
    const DWORD n = ::GetEnvironmentVariableW(AnswerVariable, value, DWORD(std::size(value)));
    if (n == 0 || n >= std::size(value))
        return false;
    // Read once: a helper's own helpers must not take it for theirs.
    ::SetEnvironmentVariableW(AnswerVariable, nullptr);
    const auto pipe = reinterpret_cast<HANDLE>(quintptr(std::wcstoull(value, nullptr, 10)));
    if (::GetFileType(pipe) != FILE_TYPE_PIPE)
        return false;
    qsizetype done = 0;
    while (done < answer.size()) {
        DWORD written = 0;
        const DWORD chunk = DWORD(std::min<qsizetype>(answer.size() - done, 1 << 20));
        if (!::WriteFile(pipe, answer.constData() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

} // namespace sorvix::childprocess
