// SPDX-License-Identifier: GPL-3.0-or-later
// Test helper: libdvdread's reading of a title, for comparison with `ratewise-cli stream`.
// Usage: dvdread_title_dump DISC TITLE OUT
// Writes the sectors of the title's program chain's cells, in cell order, first angle only.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <dvdread/dvd_reader.h>
#include <dvdread/ifo_read.h>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: dvdread_title_dump DISC TITLE OUT\n");
        return 2;
    }
    const int title = std::atoi(argv[2]);
    dvd_reader_t* dvd = DVDOpen(argv[1]);
    ifo_handle_t* vmg = dvd ? ifoOpen(dvd, 0) : nullptr;
    if (!vmg || title < 1 || title > vmg->tt_srpt->nr_of_srpts) {
        std::fprintf(stderr, "dvdread_title_dump: no title %d\n", title);
        return 1;
    }
    const title_info_t& info = vmg->tt_srpt->title[title - 1];
    ifo_handle_t* vts = ifoOpen(dvd, info.title_set_nr);
    dvd_file_t* vobs = vts ? DVDOpenFile(dvd, info.title_set_nr, DVD_READ_TITLE_VOBS) : nullptr;
    if (!vobs) {
        std::fprintf(stderr, "dvdread_title_dump: cannot open title set %d\n", info.title_set_nr);
        return 1;
    }
    const ptt_info_t& part = vts->vts_ptt_srpt->title[info.vts_ttn - 1].ptt[0];
    const pgc_t* pgc = vts->vts_pgcit->pgci_srp[part.pgcn - 1].pgc;
    std::FILE* out = std::fopen(argv[3], "wb");
    if (!out)
        return 1;
    std::vector<unsigned char> sector(DVD_VIDEO_LB_LEN);
    for (int c = 0; c < pgc->nr_of_cells; ++c) {
        const cell_playback_t& cell = pgc->cell_playback[c];
        if (cell.block_type == BLOCK_TYPE_ANGLE_BLOCK && cell.block_mode != BLOCK_MODE_FIRST_CELL)
            continue;
        for (uint32_t s = cell.first_sector; s <= cell.last_sector; ++s) {
            if (DVDReadBlocks(vobs, static_cast<int>(s), 1, sector.data()) != 1) {
                std::fprintf(stderr, "dvdread_title_dump: read failed at sector %u\n", s);
                return 1;
            }
            std::fwrite(sector.data(), 1, sector.size(), out);
        }
    }
    if (std::fclose(out) != 0)
        return 1;
    DVDCloseFile(vobs);
    ifoClose(vts);
    ifoClose(vmg);
    DVDClose(dvd);
    return 0;
}
