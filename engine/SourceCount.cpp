#include "SourceCount.h"

#include "Handle.h"
#include "PathOps.h"
#include "WalkLevel.h"

namespace {

// Deep trees recurse one level per folder, as the copy does: the same room.
constexpr UINT kCountStackReserve = 64u << 20;

// One folder of the counting walk. The walk enters what the copy enters;
// a folder it cannot list is left out, as the copy leaves its contents out.
class count_level : public walk_level {
public:
    count_level(file_system* fs, const count_level* parent_level, const std::atomic<bool>& stop)
        : walk_level(fs, parent_level), stop(stop) {}

    // Adds the files of `source` and of every subfolder the copy walks.
    void count_folder(const std::string& source, const std::string& destination,
                      const std::string& root_destination, source_totals& totals) {
        level_source = source;
        find_entry entry;
        FindHandle listing(fs->find_first_file((long_path(source) + L"*.*").c_str(), &entry));
        if (!listing)
            return;
        do {
            if (stop)
                break;
            if (entry.name == "." || entry.name == "..")
                continue;
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                totals.files += 1;
                totals.bytes += static_cast<double>(entry.nFileSizeHigh) * 4294967296.0 +
                                static_cast<double>(entry.nFileSizeLow);
                continue;
            }
            std::string child_source = source + entry.name;
            add_trailing_backslash(child_source);
            std::string child_destination = destination + entry.name;
            add_trailing_backslash(child_destination);
            if (enters_subfolder(entry, child_source, child_destination, root_destination)) {
                count_level child(fs, this, stop);
                child.count_folder(child_source, child_destination, root_destination, totals);
            }
        } while (fs->find_next_file(listing.get(), &entry));
        fs->find_close(listing.release());
    }

private:
    const std::atomic<bool>& stop;
};

} // namespace

source_count::source_count(std::string source_folder, std::string destination_folder,
                           file_system* fs)
    : source_folder(std::move(source_folder)), destination_folder(std::move(destination_folder)),
      fs(fs ? fs : &real_file_system()) {}

source_count::~source_count() {
    stop();
    thread.reset(); // waits for the walk to notice
}

bool source_count::start() {
    thread = AfxBeginThread(&source_count::count_thread_proc, this, THREAD_PRIORITY_BELOW_NORMAL,
                            kCountStackReserve, STACK_SIZE_PARAM_IS_A_RESERVATION);
    return thread != nullptr;
}

UINT __cdecl source_count::count_thread_proc(LPVOID param) {
    static_cast<source_count*>(param)->run();
    return 0;
}

void source_count::run() {
    source_totals totals;
    count_level top(fs, nullptr, stop_requested);
    top.count_folder(source_folder, destination_folder, destination_folder, totals);
    if (stop_requested)
        return;
    counted = totals;
    finished = true; // publishes `counted` to the reading thread
}

std::optional<source_totals> source_count::totals() const {
    if (!finished)
        return std::nullopt;
    return counted;
}
