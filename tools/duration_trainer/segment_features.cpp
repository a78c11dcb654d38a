#include "segment_features.h"

namespace durtrain {

const char* const kSegmentFeatures[kSegmentFeatureCount] = {
    "n.name", "ph_vheight", "name", "R:SylStructure.parent.syl_in", "pp.ph_cplace", "p.ph_cplace",
    "seg_onset_nasal", "pp.ph_vrnd", "p.ph_cvox", "pp.ph_vfront", "p.ph_ctype",
    "R:SylStructure.parent.R:Syllable.pp.syl_break", "R:SylStructure.parent.syl_onsetsize", "p.name", "ph_cplace",
    "p.ph_vfront", "ph_ctype", "R:SylStructure.parent.parent.word_numsyls", "seg_coda_fric", "pp.ph_ctype",
    "pp.ph_vheight", "pp.ph_cvox", "ph_cvox", "nn.ph_vfront", "n.ph_ctype", "nn.ph_cvox",
    "R:SylStructure.parent.syl_out", "n.ph_cvox", "n.ph_cplace", "R:SylStructure.parent.R:Syllable.nn.syl_break",
    "n.ph_vfront", "R:SylStructure.parent.R:Syllable.n.syl_onsetsize", "n.ph_vheight", "nn.ph_ctype", "ph_vfront",
    "R:SylStructure.parent.R:Syllable.n.syl_break", "seg_onset_fric", "nn.ph_cplace", "n.ph_vc", "nn.ph_vheight",
    "n.seg_onsetcoda", "R:SylStructure.parent.syl_break", "p.ph_vheight", "R:SylStructure.parent.syl_numphones",
    "pp.ph_vc", "R:SylStructure.parent.position_type", "R:SylStructure.parent.pos_in_word", "p.seg_onsetcoda",
    "seg_onset_glide", "syl_final", "p.ph_vc", "seg_onset_stop", "pos_in_syl",
    "R:SylStructure.parent.R:Syllable.p.syl_break", "R:SylStructure.parent.R:Syllable.p.syl_codasize", "nn.ph_vrnd",
    "nn.ph_vc", "ph_vrnd",
};

}  // namespace durtrain
