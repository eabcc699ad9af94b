#pragma once
// The memory channel settings whose handlers do more than work one field through a
// codec: names, widths with their marks, scan memberships, the duplex flags forced by
// the frequencies, the PMR call-button, tone-flag and MSK cells, the digital mode, the
// derived channel mute; and the frequency, tone and attribute cells
// (indChannelTuning.cpp). indChannelCells lists them in its table of the channel labels.
class indCellRequest;

class indChannelRules {
 public:
  static void Text(indCellRequest& r);
  static void Wnm(indCellRequest& r);
  static void WnmPmr(indCellRequest& r);
  static void Scan(indCellRequest& r);
  static void ScanPmr(indCellRequest& r);
  static void CallButton(indCellRequest& r);
  static void Dup(indCellRequest& r);
  static void DupEna(indCellRequest& r);
  static void CToneSel(indCellRequest& r);
  static void CToneEdit(indCellRequest& r);
  static void MskSig(indCellRequest& r);
  static void MskSendStatus(indCellRequest& r);
  static void MskRpt(indCellRequest& r);
  static void MskStn(indCellRequest& r);
  static void MskRxCNo(indCellRequest& r);
  static void DigSig(indCellRequest& r);
  // The channel mute, which saving derives from the receive code selection: shown as
  // derived, no keys taken; its marks follow the derived state.
  static void Mute(indCellRequest& r);
  // A signalling cell the channel's signal type leaves without a value: "----"
  // centred in silver, no keys taken.
  static void NoSignalCell(indCellRequest& r);

  // indChannelTuning.cpp
  static void FreqR(indCellRequest& r);
  static void FreqT(indCellRequest& r);
  static void FreqRPmr(indCellRequest& r);
  static void FreqRPmr446(indCellRequest& r);
  static void ToneR(indCellRequest& r);
  static void ToneT(indCellRequest& r);
  static void Attribute(indCellRequest& r);
  static void AttributePmr(indCellRequest& r);

  // The mark the chooser gives the entry value of the label on this channel (the FlexMark
  // rules), set on the cell itself.
  static void MarkEntry(indCellRequest& r, int value);
};
