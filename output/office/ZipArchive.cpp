#include "output/office/ZipArchive.h"

#include <zip.h>

#include <ctime>
#include <memory>

#include "core/Error.h"

namespace kestrune::office {
namespace {

[[noreturn]] void fail() {
    throw UserError(messages::cannotCreate("zip"));
}

// Reads a whole zip source that has been written to.
std::string sourceBytes(zip_source_t* source) {
    if (zip_source_open(source) < 0)
        fail();
    std::string bytes;
    char buffer[65536];
    zip_int64_t count;
    while ((count = zip_source_read(source, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, static_cast<std::size_t>(count));
    zip_source_close(source);
    if (count < 0)
        fail();
    return bytes;
}

time_t dosEpoch() {
    std::tm day{};
    day.tm_year = 80;
    day.tm_mday = 1;
    return std::mktime(&day);
}

}  // namespace

std::string zipArchive(const ZipParts& parts) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* memory = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (!memory)
        fail();
    zip_source_keep(memory);
    zip_t* archive = zip_open_from_source(memory, ZIP_TRUNCATE, &error);
    if (!archive) {
        zip_source_free(memory);
        fail();
    }
    const time_t epoch = dosEpoch();
    for (const auto& [name, bytes] : parts) {
        zip_source_t* part = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
        const zip_int64_t index = part ? zip_file_add(archive, name.c_str(), part, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            zip_source_free(part);
            zip_discard(archive);
            zip_source_free(memory);
            fail();
        }
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 0);
        zip_file_set_mtime(archive, static_cast<zip_uint64_t>(index), epoch, 0);
    }
    if (zip_close(archive) < 0) {
        zip_discard(archive);
        zip_source_free(memory);
        fail();
    }
    std::string bytes = sourceBytes(memory);
    zip_source_free(memory);
    return bytes;
}

std::map<std::string, std::string> unzipArchive(const std::string& bytes) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    zip_t* archive = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
    if (!archive) {
        zip_source_free(source);
        throw UserError(messages::cannotOpen("zip"));
    }
    std::map<std::string, std::string> parts;
    const zip_int64_t entries = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < entries; ++i) {
        zip_stat_t stat;
        zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat);
        zip_file_t* file = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
        std::string content(static_cast<std::size_t>(stat.size), '\0');
        if (!file || zip_fread(file, content.data(), stat.size) != static_cast<zip_int64_t>(stat.size)) {
            if (file)
                zip_fclose(file);
            zip_close(archive);
            throw UserError(messages::cannotOpen(stat.name ? stat.name : "zip"));
        }
        zip_fclose(file);
        parts.emplace(stat.name, std::move(content));
    }
    zip_close(archive);
    return parts;
}

}  // namespace kestrune::office
