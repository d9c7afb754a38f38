#include "jobs.h"

#include "engine/run_record.h"
#include "engine/text_file.h"
#include "engine/trainer.h"

#include "numtext/numtext.h"

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <deque>
#include <filesystem>

namespace fs = std::filesystem;

namespace corvane::batch {

namespace {

volatile std::sig_atomic_t interrupted = 0;

extern "C" void on_interrupt(int) {
    interrupted = 1;
}

// Catches SIGINT and SIGTERM for its lifetime: the loop below sees the flag.
class InterruptGuard {
public:
    InterruptGuard() {
        interrupted = 0;
        struct sigaction sa {};
        sa.sa_handler = on_interrupt;
        sigemptyset(&sa.sa_mask);
        sa.sa_flags = 0;
        sigaction(SIGINT, &sa, &old_int_);
        sigaction(SIGTERM, &sa, &old_term_);
    }
    ~InterruptGuard() {
        sigaction(SIGINT, &old_int_, nullptr);
        sigaction(SIGTERM, &old_term_, nullptr);
    }
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

private:
    struct sigaction old_int_ {};
    struct sigaction old_term_ {};
};

// An exclusive lock on the results folder, so that two runners never train the same plan.
class FolderLock {
public:
    explicit FolderLock(const std::string& folder) {
        fd_ = ::open((fs::path(folder) / ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd_ >= 0 && ::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~FolderLock() {
        if (fd_ >= 0) ::close(fd_);
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    bool held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// Starts `argv` with its standard output and error in `log`; the child's id, or -1.
pid_t spawn(const std::vector<std::string>& argv, const std::string& log) {
    std::vector<char*> args;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    // A stop sent to the child before it has dropped the runner's handlers would only set the
    // child's copy of the flag, and the run would train to its end: the two signals wait,
    // blocked, until the child has its default handlers back, and then end it.
    sigset_t stops, before;
    sigemptyset(&stops);
    sigaddset(&stops, SIGINT);
    sigaddset(&stops, SIGTERM);
    sigprocmask(SIG_BLOCK, &stops, &before);
    const pid_t pid = ::fork();
    if (pid != 0) {
        sigprocmask(SIG_SETMASK, &before, nullptr);
        return pid;
    }
    // In the child: only async-signal-safe calls until exec.
    struct sigaction dfl {};
    dfl.sa_handler = SIG_DFL;
    sigaction(SIGINT, &dfl, nullptr);
    sigaction(SIGTERM, &dfl, nullptr);
    sigprocmask(SIG_SETMASK, &before, nullptr);
    const int fd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0) {
        ::dup2(fd, 1);
        ::dup2(fd, 2);
        ::close(fd);
    }
    ::execv(args[0], args.data());
    ::_exit(127);
}

std::string describe_end(int status) {
    if (WIFSIGNALED(status)) return "signal " + std::to_string(WTERMSIG(status));
    return "exit status " + std::to_string(WEXITSTATUS(status));
}

std::string progress_line(std::size_t done, std::size_t total, const RunRecord& r, double elapsed,
                          std::size_t finished_here) {
    std::string line = "[" + std::to_string(done) + "/" + std::to_string(total) + "] " +
                       fs::path(r.project).filename().string() + ": " +
                       (r.ok ? r.stop_reason : "failed");
    if (r.iterations) line += ", " + std::to_string(*r.iterations) + " iterations";
    if (r.training_error) line += ", training error " + numtext::shortest(*r.training_error);
    if (r.test_error) line += ", test error " + numtext::shortest(*r.test_error);
    if (!r.ok && !r.message.empty()) line += ", " + r.message;
    char wall[32];
    std::snprintf(wall, sizeof wall, ", %.1f s", r.wall_seconds);
    line += wall;
    if (done < total && finished_here > 0) {
        const double left =
            elapsed / static_cast<double>(finished_here) * static_cast<double>(total - done);
        line += "; about " + texto_duracao(static_cast<std::int64_t>(left + 0.5)) + " left";
    }
    return line;
}

struct Worker {
    std::size_t group = 0;
    std::size_t next = 0; // the position in the group of the next run
    std::size_t run = 0;  // the run in progress
    pid_t pid = -1;
};

} // namespace

std::string program_path() {
    std::error_code ec;
    auto self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string("Corvane") : self.string();
}

int run_jobs(const Plan& plan, const JobsOptions& options, ConsoleView& view, std::ostream& err) {
    std::error_code ec;
    fs::create_directories(plan.results, ec);
    FolderLock lock(plan.results);
    if (!lock.held()) {
        critical(view, "The results folder " + plan.results +
                           " cannot be used: it is missing, or another Corvane is training its "
                           "runs.");
        return 1;
    }
    const std::size_t total = plan.runs.size();
    std::vector<std::optional<RunRecord>> records(total);
    std::size_t done = 0;
    for (std::size_t i = 0; i < total; ++i) {
        if (options.resume) {
            records[i] = read_result(plan, plan.runs[i]);
            if (records[i]) ++done;
        } else {
            fs::remove(plan.result_path(plan.runs[i]), ec);
        }
    }
    std::vector<RunFiles> files;
    for (const auto& run : plan.runs)
        files.push_back(files_of(run));
    std::deque<std::vector<std::size_t>> queue;
    for (auto& g : group_runs(files))
        queue.push_back(std::move(g));
    std::vector<std::vector<std::size_t>> groups(queue.begin(), queue.end());

    const std::string self = program_path();
    InterruptGuard guard;
    const auto begin = std::chrono::steady_clock::now();
    std::size_t finished_here = 0;
    std::vector<Worker> workers;

    // Starts the next run of `w`'s group that has no record; false when the group is done.
    auto start_next = [&](Worker& w) {
        const auto& group = groups[w.group];
        while (w.next < group.size()) {
            const std::size_t i = group[w.next++];
            if (records[i]) continue;
            const PlannedRun& run = plan.runs[i];
            std::vector<std::string> argv{self, "--train", run.project};
            if (run.seed) argv.insert(argv.end(), {"--seed", std::to_string(*run.seed)});
            if (!run.start_weights.empty())
                argv.insert(argv.end(), {"--start-weights", run.start_weights});
            argv.insert(argv.end(), {"--result", plan.result_path(run)});
            w.run = i;
            w.pid = spawn(argv, plan.log_path(run));
            if (w.pid > 0) return true;
            RunRecord r;
            r.project = run.project;
            r.seed = run.seed;
            r.stop_reason = "failed";
            r.message = "The run could not be started.";
            records[i] = r;
            ++done;
        }
        return false;
    };

    std::size_t next_group = 0;
    bool stopping = false;
    while (true) {
        while (!interrupted && next_group < groups.size() &&
               workers.size() < static_cast<std::size_t>(std::max(1, options.jobs))) {
            Worker w;
            w.group = next_group++;
            if (start_next(w)) workers.push_back(w);
        }
        if (workers.empty()) break;
        // Polled rather than blocking, so that a stop request that arrives at any moment
        // reaches the running trainings at once.
        int status = 0;
        const pid_t pid = ::waitpid(-1, &status, WNOHANG);
        if (pid < 0 && errno != EINTR) break;
        if (pid <= 0) {
            if (interrupted && !stopping) {
                stopping = true;
                for (const auto& w : workers)
                    ::kill(w.pid, SIGTERM);
            }
            ::usleep(20000);
            continue;
        }
        auto it = std::find_if(workers.begin(), workers.end(),
                               [&](const Worker& w) { return w.pid == pid; });
        if (it == workers.end()) continue;
        const PlannedRun& run = plan.runs[it->run];
        auto record = read_result(plan, run);
        if (!record && !interrupted) {
            // The run ended without saying how: a crash. It gets a record, so that the summary
            // shows it and a resumed plan does not train it again.
            RunRecord r;
            r.project = run.project;
            r.seed = run.seed;
            r.stop_reason = "failed";
            r.message = "The run ended without a result (" + describe_end(status) + "); see " +
                        plan.log_path(run) + ".";
            write_file_replacing(plan.result_path(run), record_text(r));
            record = r;
        }
        if (record) {
            records[it->run] = record;
            ++done;
            ++finished_here;
            const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - begin;
            err << progress_line(done, total, *record, elapsed.count(), finished_here) << '\n'
                << std::flush;
        }
        if (interrupted || !start_next(*it)) workers.erase(it);
    }

    if (interrupted) {
        const auto missing = static_cast<std::size_t>(
            std::count_if(records.begin(), records.end(), [](const auto& r) { return !r; }));
        err << "Corvane: interrupted; runs without a result: " << missing
            << " (--resume trains them)\n";
    }
    bool all_ok = !interrupted;
    for (const auto& r : records)
        all_ok = all_ok && r && r->ok;
    if (!options.summary.empty() &&
        !write_file_replacing(options.summary, summary_csv(plan.runs, records))) {
        critical(view, "The summary " + options.summary + " cannot be written.");
        return 1;
    }
    return all_ok ? 0 : 1;
}

} // namespace corvane::batch
