#include "results/WorkloadRun.h"

#include "codec/clsHuffman.h"
#include "platform/QuelError.h"
#include "run/BenchmarkRun.h"
#include "run/TimedPasses.h"

#include <chrono>
#include <exception>
#include <filesystem>
#include <latch>
#include <optional>
#include <pthread.h>
#include <sched.h>
#include <thread>

RunRecord RunWorkload(const TestFiles& files, const RunHooks& hooks) {
    HeadlessView view(hooks);
    clsHuffman huffman;
    TimedPasses passes(view, huffman, files);
    huffman.SetProgressHandler(
        [&passes](std::int16_t& Procent) { passes.Huffman_Progress(Procent); });
    BenchmarkRun run(view, passes, {});
    std::optional<RunRecord> finished;
    run.SetRunFinished([&finished](const RunRecord& record) { finished = record; });
    run.Run();

    // A run that did not reach its score keeps what went wrong.
    RunRecord record = finished.value_or(RunRecord{});
    record.Check = run.LastCheck();
    record.Errors = view.Errors();
    if (view.Ended()) {
        record.Errors.push_back("The compressed test file was changed by something else during "
                                "the run.");
    }
    return record;
}

namespace {

void pinTo(int cpu) {
    cpu_set_t set;
    CPU_ZERO(&set);
    CPU_SET(cpu, &set);
    if (const int error = ::pthread_setaffinity_np(::pthread_self(), sizeof set, &set);
        error != 0) {
        throw QuelError::FromErrno(error, "pin to processor " + std::to_string(cpu));
    }
}

} // namespace

RunRecord RunWorkloadOn(int cpu, const TestFiles& files, const RunHooks& hooks) {
    RunRecord record;
    std::exception_ptr failure;
    std::thread thread([&] {
        try {
            pinTo(cpu);
            record = RunWorkload(files, hooks);
            record.Cpu = cpu;
        } catch (...) {
            failure = std::current_exception();
        }
    });
    thread.join();
    if (failure) {
        std::rethrow_exception(failure);
    }
    return record;
}

CopiesRecord RunCopies(const std::string& input, const std::string& workFolder,
                       const std::vector<int>& cpus, const RunHooks& hooks) {
    const std::size_t count = cpus.size();
    CopiesRecord copies;
    copies.Copies.resize(count);
    std::vector<std::exception_ptr> failures(count);
    std::latch ready(static_cast<std::ptrdiff_t>(count) + 1);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < count; ++i) {
        threads.emplace_back([&, i] {
            // Every copy arrives at the start, also one whose set-up failed,
            // so that none waits for ever.
            std::optional<TestFiles> files;
            try {
                pinTo(cpus[i]);
                const std::string folder = workFolder + "/copy-" + std::to_string(i + 1);
                std::filesystem::create_directories(folder);
                files = TestFiles{input, folder + "/QuelTest.HAr", folder + "/QuelTest2.dat"};
            } catch (...) {
                failures[i] = std::current_exception();
            }
            ready.arrive_and_wait();
            if (!files) {
                return;
            }
            try {
                copies.Copies[i] =
                    RunWorkload(*files, i == 0 ? hooks : RunHooks{hooks.StopPoint, {}});
                copies.Copies[i].Cpu = cpus[i];
            } catch (...) {
                failures[i] = std::current_exception();
            }
        });
    }
    ready.arrive_and_wait();
    const auto start = std::chrono::steady_clock::now();
    for (std::thread& thread : threads) {
        thread.join();
    }
    copies.WallSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    for (const std::exception_ptr& failure : failures) {
        if (failure) {
            std::rethrow_exception(failure);
        }
    }
    return copies;
}
