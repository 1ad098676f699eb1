#pragma once

#include "channel/ChannelFiles.h"
#include "channel/ChannelRecords.h"
#include "common/ProgramDir.h"
#include "common/Result.h"

// Reads ROM_GetCH.dll, TV.dll, Radio.dll and Favorite.dll from `dir`, names
// matched without regard to case. Field 0 of ROM_GetCH.dll is taken as bytes,
// whatever form it was written in.
Result<ChannelTables> readChannelFiles(const ProgramDir &dir);
// Writes TV.dll, Radio.dll, Favorite.dll, ROM_GetCH.dll in this order, each
// replaced whole; stops at the first file that cannot be written.
Status writeChannelFiles(const ProgramDir &dir, const ChannelTables &tables, NameForm form);

// The channel model the editor works on: created once, it outlives the editor
// window and every load replaces it whole. The saved copy taken at each load
// and save tells whether there are unsaved changes.
class ChannelModel {
public:
    explicit ChannelModel(ProgramDir dir);

    // Replaces the model with the four files. On failure the model is left empty
    // (and counts as unchanged, so nothing prompts to save it) and the error
    // names the file and the reason.
    Status LoadChannelFiles();
    // Writes the four files, names in hexadecimal for the combiner. On failure
    // nothing later in the order is written and the model still counts as changed.
    Status SaveChannelFiles();
    // Lists, flags, favourite positions and names as in the saved copy.
    bool ChannelDataUnchanged() const;

    ChannelTables &tables() { return m_tables; }
    const ChannelTables &tables() const { return m_tables; }
    const ChannelTables &savedCopy() const { return m_saved; }
    // Puts back an earlier saved copy, when what a save fed into failed.
    void setSavedCopy(const ChannelTables &saved) { m_saved = saved; }

    // Set by every successful load; the editor clears it when both lists are empty.
    bool DataLoaded() const { return m_dataLoaded; }
    void setDataLoaded(bool loaded) { m_dataLoaded = loaded; }

    const ProgramDir &programDir() const { return m_dir; }

private:
    ProgramDir m_dir;
    ChannelTables m_tables;
    ChannelTables m_saved;
    bool m_dataLoaded = false;
};
